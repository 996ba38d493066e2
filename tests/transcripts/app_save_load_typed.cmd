save   My Results.JSON  
load My Results.JSON
load my results.json
save r.CSV
load r.CSV
save
quit
