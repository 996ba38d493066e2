hand As Ad 9c 9h 3s
hand Ad 2s 3c 4h 5d 9c Kd
hand * 2h 5h 9h Jh Kc
hand Ks Qs 9s 7s 5s Kh Qh 9h 7h 5h
hand * Kh Qh Jh 9h
hand * Ks Kd Kh Kc
hand As As As As As
hand 7c
hand *
hand 9c * 3d
wild 2
hand Ad As 2c 9c 9h
hand 2h 2h 2h 2h
hand
hand As bX Zz
hand 2c 3c 4c 5c 6c 7c 8c 9c Tc Jc Qc Kc Ac 2d 3d 4d 5d 6d 7d 8d 9d
hand 2c 3c 4c 5c 6c 7c 8c 9c Tc Jc Qc Kc Ac 2d 3d 4d 5d 6d 7d 8d 9d Xd
