#pragma once

#include <cstdint>
#include <vector>

// A KORT.EXE for tests that a DOS emulator (DOSBox) really runs: a small DOS MZ program, made
// here byte by byte, that the assembler run accepts and starts as
//   kort.exe /p=D:\ __.tmp ABCDare1.bwd > C:\korterr.txt
// It reads the second word of its command tail as the swap file and the third as the output,
// writes the output as "BWD" and a NUL followed by the swap file's bytes (what the host stand-in
// TestAssembler.cpp writes), prints one line to standard output (the log the command interpreter
// redirects) and exits with code 0. When the swap file cannot be opened or the output cannot be
// created it prints an error line, leaves no output and exits with code 1.
//
// The file is 161631 bytes: the MZ header and the program (under 512 bytes, all that DOS loads),
// zeros, and the signature "Talvorendix" at offset 161620 where the run's version check looks.
// Standard library only, so any test program can compile this file in.
std::vector<std::uint8_t> dosTestAssemblerImage();
