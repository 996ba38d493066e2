ranking
ranking shortdeck
ranking
hand Kh Kd 9h 9s 6h 7h *
ranking order 5K SF
ranking frequencies
ranking order HC 1P 2P 3K ST FL FH 4K SF 5K
ranking
hand Kh Kd 9h 9s 6h 7h *
hand 2c 3d 4h 7s 9c
players 2
handsize 2
board 5
hold 1 As Ah
game
preset holdem
ranking
decks 2
add As
rem Kd
preset shortdeck
game
ranking low
ranking
hand 3c 4d * Kh 9s
ranking deuce
ranking
hand 3c 4d 5h 6s *
