@echo off
rem Runs every test program of this kit and writes report.txt beside this file.
rem Start it from an administrator prompt: the installer asks for administrator rights.
setlocal
cd /d "%~dp0"
"%~dp0tests\kit_runner.exe"
set result=%errorlevel%
echo The report is %~dp0report.txt
endlocal & exit /b %result%
