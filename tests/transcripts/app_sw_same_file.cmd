decks 2
game
