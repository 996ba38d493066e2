players 1
handsize 1
hands 3
more
stats
game
deck
