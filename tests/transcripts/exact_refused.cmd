handsize 10
exact
decks 2
handsize 9
exact
game
