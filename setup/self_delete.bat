:Repeat
del "#MODULEFN#"
if exist "#MODULEFN#" goto Repeat
del "LWAutoDel.bat"