players 2
handsize 1
board 1
hold 1 As
hold 2 Ah
exact
use 2
exact
equity
use any
hold clear
players 1
handsize 3
board 5
exact
