players 1
handsize 1
hands 3
go
counts
more
counts
go now
counts
clear
stats
counts
