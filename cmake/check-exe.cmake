# Checks a built Sarvell.exe: a GUI program for the right machine that
# imports system DLLs only and carries its manifest. Run with
# cmake -DOBJDUMP=... -DEXE=... -DARCH=amd64|X86 -P check-exe.cmake
cmake_policy(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump -p ${EXE} failed")
endif()

if(ARCH STREQUAL "amd64")
  set(format "pei-x86-64")
else()
  set(format "pei-i386")
endif()
if(NOT dump MATCHES "file format ${format}")
  message(FATAL_ERROR "${EXE} is not ${format}")
endif()
if(NOT dump MATCHES "Subsystem[ \t]+00000002")
  message(FATAL_ERROR "${EXE} is not a Windows GUI program")
endif()

set(allowed kernel32.dll user32.dll gdi32.dll comctl32.dll advapi32.dll shell32.dll msvcrt.dll)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
foreach(line IN LISTS imports)
  string(REGEX REPLACE "DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST allowed)
    message(FATAL_ERROR "${EXE} imports ${dll}, which is not a system DLL")
  endif()
endforeach()

# Resource type 24 is the manifest, with resource 1 for the process.
if(NOT dump MATCHES "Entry: ID: 0x000018, [^\n]*\n[^\n]*Name Table[^\n]*\n[^\n]*Entry: ID: 0x000001,")
  message(FATAL_ERROR "${EXE} carries no manifest")
endif()
