players 1
handsize 1
hands 3
rem 2 3 4 5 6 7 8 9 T J Q K
rem Ad As Ac
wild 2
seed 5
go
save out.txt
hands 2
more
save out.txt
clear
load out.txt
counts
load  out.txt 
counts
save
save  	 
load
load nothere.json
load OUT.TXT
save nodir/x.json
load nodir
save .
