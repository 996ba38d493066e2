players 1
handsize 1
hands 3
rem 2 3 4 5 6 7 8 9 T J Q K
rem Ad As Ac
go
save "quoted name.json"
load quoted name.json
load missing.json
save .
load .
clear
load "quoted name.json"
stats
seed 9
shard 2 3
reset
game
seed
