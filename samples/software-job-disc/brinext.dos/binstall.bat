@echo off
echo Installing Quaylog for DOS into %CD%
bx7310d1.exe
bx7310d2.exe
