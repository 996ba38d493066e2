decks 2
