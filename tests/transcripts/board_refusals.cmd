board 20
board -1
board
board x
players 1
board 16
board 15
handsize 6
handsize 21
board 0
players 10
board 3
board 2
players 11
handsize 6
rem 2h
board 0
players 5
use 0
use 6
use
use two
use 1x
hold
hold seat 1 As
hold 0 As
hold -1 As
hold 6 As
hold 6 Xx
hold 1 As Ks Qs Js Ts 9s
hold 1 As Ks Qs Js Ts Zz
hold 1 As 10s
hold 1 As Zz Yy
hold board Kh
hold 1 As as
hold 1 *
hold 1 As Kd
hold 2 Kd
hold 2 Ah Kh Qh Jh Th
hold 3 ah
players 1
handsize 4
rem As
rem spades
rem aces
decks 2
hold 3 As Ad
decks 1
jokers 1
hold 4 *
jokers 0
add Kd
hold 5 Kd Kd
clearaddrem
board 1
hold board Qd
board 0
game
hold clear
players 1
handsize 1
hold 2 As
hold 1 2c 3c
use 2
go
more
