rem 2h 2h
game
rem twos
deck
rem aces
game
deck
reset
handsize 10
rem 2h 3h 4h
game
deck
reset
rem spades
deck
rems heart
rem c
game
deck
