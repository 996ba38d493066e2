decks 2
foo