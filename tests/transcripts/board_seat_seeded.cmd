seed 21
players 3
handsize 2
board 5
hands 2000
hold 1 As Ad
hold board Kh 7c 2d
go
handsize 4
use 2
more
