seed
seed 42
seed
players 1
handsize 1
hands 3
rem 2 3 4 5 6 7 8 9 T J Q K
rem Ad As Ac
go
seed
more
seed
shard 2 3
go
seed
seed random
seed
go
seed
seed 18446744073709551615
more
more
seed
reset
seed
seed x
shard 3 2
seed 9
seed
