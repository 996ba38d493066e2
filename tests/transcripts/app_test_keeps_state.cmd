wild d s c h
players 2
hands 1000
go
test
counts
game
