hands 9
hands -5
hands -2147483649
hands -9223372036854775808
hands -9223372036854775809
hands - 5
add 2h 3h 4h
players 11
clearaddrem
game
players 10
clearaddrems
game
foo