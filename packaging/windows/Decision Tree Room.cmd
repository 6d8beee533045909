@echo off
rem The room window, "Decision Tree Room" (treelab room), on the data folders it showed
rem last time; more are added in the window. Folders may also be dropped on this file.
start "" "%~dp0treelab.exe" room %*
