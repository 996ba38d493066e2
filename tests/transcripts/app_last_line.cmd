decks 2
decks 3