@echo off
rem The room window, "Decision Tree Room" (decisiontree-room.exe, the same window as
rem treelab room, without a console window), on the data folders it showed
rem last time; more are added in the window. Folders may also be dropped on this file.
start "" "%~dp0decisiontree-room.exe" %*
