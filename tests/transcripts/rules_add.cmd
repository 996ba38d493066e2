add 2H
game
add 2h
game
deck
clearaddrem
deck
add hearts
add heart
game
deck
clearaddrems
add sixs
add sixes
add deuces
game
adds d 2h
game
add 2h 5z 3h
game
