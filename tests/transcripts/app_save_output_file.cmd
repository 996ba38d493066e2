save out.txt
save ./out.txt
save out.txt.csv
