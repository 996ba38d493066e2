wild 2
ranking frequency
ranking
reset
ranking frequency
players 1
handsize 12
ranking frequency
ranking
