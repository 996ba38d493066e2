wild 2
ranking frequency
ranking
reset
ranking frequency
ranking low
ranking frequency
players 1
handsize 12
ranking frequency
ranking
