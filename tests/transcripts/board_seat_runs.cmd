players 1
handsize 1
hands 3
rem 2 3 4 5 6 7 8 9 T J Q
rem Ad Ac Ah Kd Kc Kh
board 1
hold 1 Ks
seats
go
use 2
more
go
stats
use any
hold 1
hold board As
more
seats
clear
seats
