board 5
board 1
board 0
players 9
handsize 2
board 5
use 2
use any
use 1
hold 1 As ad
hold 9 kc KD
hold board kh 7C 2d
hold board
hold board Th
seats
game
hold 1
HOLD CLEAR
game
jokers 1
wild 2
hold 4 2H *
game
reset
game
