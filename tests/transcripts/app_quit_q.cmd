decks 2
q and more words
foo
