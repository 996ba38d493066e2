players 10
players 11
handsize 6
rem 2h
rem twos
rem hearts
rem 3h
rem 2h
rem 4h
game
reset
jokers 3
players 11
jokers 2
game
reset
decks 2
rem 2h 2h
decks 1
game
deck
decks 3
deck
reset
hands -5
hands -9223372036854775808
hands 0
game
hands 1
game
reset
add 2d 3d 4d 5d 6d 7d 8d 9d td jd qd kd
players 12
clearaddrem
game
jokers 8
clearaddrems
game
jokers 7
