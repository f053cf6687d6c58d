# Checks a built Sarvell.exe: a GUI program for the right machine that
# imports system DLLs only, carries its manifest, and is hardened: ASLR
# (high-entropy on x64), NX, stack protection linked in, and no section
# both writable and executable; and, given MAX_BYTES, no larger. Run with
# cmake -DOBJDUMP=... -DEXE=... -DARCH=amd64|X86 [-DMAX_BYTES=n] -P check-exe.cmake
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
file(SIZE ${EXE} size)
if(MAX_BYTES AND size GREATER MAX_BYTES)
  message(FATAL_ERROR "${EXE} is ${size} bytes, more than ${MAX_BYTES}")
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

set(flags DYNAMIC_BASE NX_COMPAT)
if(ARCH STREQUAL "amd64")
  list(APPEND flags HIGH_ENTROPY_VA)
endif()
foreach(flag IN LISTS flags)
  if(NOT dump MATCHES "\n[ \t]+${flag}\n")
    message(FATAL_ERROR "${EXE} is not marked ${flag}")
  endif()
endforeach()
# A section is executable when objdump calls it CODE, writable unless READONLY.
execute_process(COMMAND ${OBJDUMP} -h -w ${EXE} OUTPUT_VARIABLE sections)
string(REGEX MATCHALL "\n *[0-9]+ [^\n]+" rows "${sections}")
foreach(row IN LISTS rows)
  if(row MATCHES "CODE" AND NOT row MATCHES "READONLY")
    string(STRIP "${row}" row)
    message(FATAL_ERROR "${EXE} has a section both writable and executable: ${row}")
  endif()
endforeach()
# The stripped exe keeps no symbols: the stack protector's guard, linked in
# only where a protected function needs it, is RtlGenRandom's one caller; and
# libssp's, which would load crypto libraries at start, is not there.
if(NOT dump MATCHES "SystemFunction036" OR dump MATCHES "CryptAcquireContext")
  message(FATAL_ERROR "${EXE} has no stack protection linked in, or libssp's")
endif()

# Resource type 24 is the manifest, with resource 1 for the process.
if(NOT dump MATCHES "Entry: ID: 0x000018, [^\n]*\n[^\n]*Name Table[^\n]*\n[^\n]*Entry: ID: 0x000001,")
  message(FATAL_ERROR "${EXE} carries no manifest")
endif()
