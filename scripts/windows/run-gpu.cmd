@echo off
rem Vexel on this PC's GPU: runs the golden flight in a window with the
rem programs of this folder and writes one report, REPORT_DIR\report.md, the
rem same as the Linux GPU bundle's (docs/gpu.md):
rem   - the GL vendor, renderer and version;
rem   - the driver's messages in a --gl-debug run of the flight;
rem   - frame and GPU times of a --stats --gpu-timing run (stats.csv beside it);
rem   - for each golden frame, the share of pixels that differ from the llvmpipe
rem     reference (at all, and by more than the golden check's 24 levels) and a
rem     side-by-side picture (reference, this PC, differences).
rem
rem   run-gpu.cmd [REPORT_DIR]                    (default: report beside it)
rem   set VEXEL_BUNDLE_FRAMES=N                   frames of the timing run (2000)
rem
rem Exit code 0 when every run finished and the report is complete (frames
rem that differ from llvmpipe's are reported, not failed), 1 otherwise.
setlocal EnableExtensions EnableDelayedExpansion

set "here=%~dp0"
set "out=%~1"
if "%out%"=="" set "out=%here%report"
if not exist "%out%" mkdir "%out%"
for %%d in ("%out%") do set "out=%%~fd"
set "frames=%VEXEL_BUNDLE_FRAMES%"
if "%frames%"=="" set "frames=2000"
set "step=0.016"
set "PATH=%here%;%PATH%"

set "last="
set "captures="
set "count=0"
for /f "usebackq eol=# tokens=1,2" %%a in ("%here%golden\golden.list") do (
    set /a count+=1
    set "frame_!count!=%%a"
    set "name_!count!=%%b"
    set "last=%%a"
    if defined captures (set "captures=!captures!,%%a") else set "captures=%%a"
)

set "failed=0"
if exist "%out%\frames" rmdir /s /q "%out%\frames"
if exist "%out%\side-by-side" rmdir /s /q "%out%\side-by-side"
mkdir "%out%\side-by-side"

set args=--fixed-dt %step% --input "%here%golden\flight.input" --frames %last% --capture "%out%\frames" --capture-frames %captures%
call :run flight
set args=--gl-debug --fixed-dt %step% --input "%here%golden\flight.input" --frames %last%
call :run debug
set args=--fixed-dt %step% --input "%here%golden\flight.input" --frames %frames% --stats "%out%\stats.csv" --gpu-timing
call :run timing

rem What the logs say, each log read once. A log line is "DATE TIME (l:LEVEL)
rem CHANNEL > MESSAGE": split at spaces and ">", the message starts at the
rem fifth word. Only what Wine's cmd.exe runs too: no substitutions in
rem delayed expansion, no redirected blocks, no quoted commands in for /f.
set "vendor="
set "renderer="
set "version="
set "timing="
set "messages=0"
if exist "%out%\flight.log" for /f "usebackq tokens=5,6,* delims=> " %%a in ("%out%\flight.log") do (
    if "%%a"=="Vendor:" if not defined vendor set "vendor=%%b"
    if "%%a"=="Vendor:" if not "%%c"=="" set "vendor=%%b %%c"
    if "%%a"=="Version:" if not defined version set "version=%%b"
    if "%%a"=="Version:" if not "%%c"=="" set "version=%%b %%c"
    if "%%a %%b"=="Renderer name:" if not defined renderer set "renderer=%%c"
)
if exist "%out%\timing.log" for /f "usebackq tokens=5,6,* delims=> " %%a in ("%out%\timing.log") do (
    if "%%b"=="frames;" if not defined timing set "timing=%%a %%b %%c"
)
if exist "%out%\debug.log" for /f "usebackq tokens=5,6,* delims=> " %%a in ("%out%\debug.log") do (
    if "%%a %%b"=="OpenGL driver" set /a messages+=1
)
for %%v in (vendor renderer version timing) do call :trim %%v
for /f "delims=" %%v in ('ver') do set "system=%%v"

set "report=%out%\report.md"
> "%report%" echo # Vexel on !renderer!
>> "%report%" echo.
>> "%report%" echo - Machine: !system! %PROCESSOR_ARCHITECTURE%, %NUMBER_OF_PROCESSORS% processors
>> "%report%" echo - Context: WGL, through the system's opengl32.dll and the GPU's driver
>> "%report%" echo - GL vendor: !vendor!
>> "%report%" echo - GL renderer: !renderer!
>> "%report%" echo - GL version: !version!
>> "%report%" echo.
>> "%report%" echo Libraries the program loads from this folder:
>> "%report%" echo.
>> "%report%" echo     none: vexel.exe imports only DLLs that every Windows has
>> "%report%" echo.
>> "%report%" echo ## Driver messages of a --gl-debug run of the flight: !messages!
>> "%report%" echo.
call :driver_messages
>> "%report%" echo.
>> "%report%" echo ## Frame and GPU times: %frames% frames with --stats --gpu-timing
>> "%report%" echo.
>> "%report%" echo     !timing!
>> "%report%" echo.
>> "%report%" echo Per frame in stats.csv.
>> "%report%" echo.
>> "%report%" echo ## Golden frames against the llvmpipe references
>> "%report%" echo.
>> "%report%" echo ^| frame ^| name ^| pixels that differ ^| by more than 24 levels ^| side by side ^|
>> "%report%" echo ^|---^|---^|---^|---^|---^|
for /l %%i in (1,1,%count%) do call :golden_row %%i

echo run-gpu.cmd: report in %out%\report.md
exit /b %failed%

rem One windowed run in a fresh working directory, with the options in
rem %args%; its log is kept as NAME.log and its output as NAME.out.
:run
set "work=%out%\work-%~1"
if exist "%work%" rmdir /s /q "%work%"
mkdir "%work%"
xcopy /e /i /q "%here%shaders" "%work%\shaders" >nul
pushd "%work%"
"%here%vexel.exe" !args! > "%out%\%~1.out" 2>&1
set "code=!errorlevel!"
popd
if exist "%work%\vexel.log" copy /y "%work%\vexel.log" "%out%\%~1.log" >nul
rmdir /s /q "%work%"
if not "!code!"=="0" (
    echo run-gpu.cmd: the %~1 run failed with exit code !code! ^(see %out%\%~1.out and %out%\%~1.log^) 1>&2
    set "failed=1"
)
exit /b 0

:driver_messages
set "shown=0"
if exist "%out%\debug.log" for /f "usebackq tokens=5,6,* delims=> " %%a in ("%out%\debug.log") do (
    if "%%a %%b"=="OpenGL driver" if !shown! lss 50 (
        >> "%report%" echo     %%a %%b %%c
        set /a shown+=1
    )
)
exit /b 0

rem Drops the closing full stop of a log message held in the variable %1.
:trim
if not defined %1 exit /b 0
call set "last=%%%1:~-1%%"
if "!last!"=="." call set "%1=%%%1:~0,-1%%"
exit /b 0

rem One line of the golden table: the comparer's share of differing pixels,
rem at any level and beyond 24, and the side-by-side picture.
:golden_row
set "frame=!frame_%1!"
set "name=!name_%1!"
set "side=side-by-side/!name!.png"
if not exist "%out%\frames\frame-!frame!.png" (
    >> "%report%" echo ^| !frame! ^| !name! ^| not captured ^| not captured ^| ^|
    set "failed=1"
    exit /b 0
)
pushd "%out%\frames"
call :share any 0 --always-write "%out%\side-by-side\!name!.png"
call :share beyond 24 NUL
popd
if not defined any set "any=unreadable"
if not defined beyond set "beyond=unreadable"
>> "%report%" echo ^| !frame! ^| !name! ^| !any! ^| !beyond! ^| !side! ^|
if "!any!"=="unreadable" set "failed=1"
if "!beyond!"=="unreadable" set "failed=1"
exit /b 0

rem VAR TOLERANCE [--always-write] SIDE: "N% of pixels" from the comparer's
rem line "frame-F.png: matches (N% of pixels differ)" or
rem "frame-F.png: N% of pixels differ by more than ...", read from a file.
:share
set "%1="
set "options=--tolerance %2 --share 1"
if "%~3"=="--always-write" (
    set "options=!options! --always-write"
    set "target=%~4"
) else set "target=%~3"
vexel-image-compare.exe !options! "%here%golden\!name!.png" frame-!frame!.png "!target!" > "%out%\compare.txt" 2>&1
for /f "usebackq tokens=2,3 delims=:( " %%x in ("%out%\compare.txt") do (
    if not defined %1 if "%%x"=="matches" set "%1=%%y of pixels"
    if not defined %1 set "%1=%%x of pixels"
)
del "%out%\compare.txt"
exit /b 0
