; The NSIS installer of the same product files, for comparison: it
; installs them into a folder and does nothing more. makensis is given
; OUTFILE, PROGRAM and HELP, or EMPTY for the same installer without files,
; and AMD64 for an x86-64 installer, which a host that runs 64-bit code only
; can run under wine64.
!ifdef AMD64
Target amd64-unicode
!endif
Name "Orvel"
OutFile "${OUTFILE}"
InstallDir "C:\Orvel"

Section
  SetOutPath "$INSTDIR"
!ifndef EMPTY
  File "/oname=orvel.exe" "${PROGRAM}"
  File "/oname=orvel.chm" "${HELP}"
!endif
SectionEnd
