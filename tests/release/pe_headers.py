#!/usr/bin/env python3
"""Checks the PE headers of Windows programs, as Windows reads them.

Usage: pe_headers.py ALLOW_LIST PROGRAM...

- Every DLL a program imports, directly or delay-loaded, is on ALLOW_LIST:
  DLLs that Windows takes from System32 whatever lies beside the program,
  so that no DLL dropped into a download folder is loaded before the
  program's first line runs. No MinGW runtime DLL either: they are linked
  statically.
- DllCharacteristics asks for ASLR, DEP and terminal-server awareness, and
  for 64-bit programs high-entropy ASLR.
- No COFF symbol table: the program was stripped when linked.
"""
import struct
import sys

DYNAMIC_BASE, NX_COMPAT, TERMINAL_SERVER_AWARE, HIGH_ENTROPY_VA = 0x0040, 0x0100, 0x8000, 0x0020
IMPORT_DIRECTORY, DELAY_IMPORT_DIRECTORY = 1, 13


class Pe:
    def __init__(self, data):
        self.data = data
        (pe_offset,) = struct.unpack_from("<I", data, 0x3C)
        if data[:2] != b"MZ" or data[pe_offset:pe_offset + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        coff = pe_offset + 4
        (_, self.section_count, _, self.symbol_table, self.symbol_count,
         optional_size, _) = struct.unpack_from("<HHIIIHH", data, coff)
        optional = coff + 20
        (magic,) = struct.unpack_from("<H", data, optional)
        self.is64 = magic == 0x20B
        (self.dll_characteristics,) = struct.unpack_from("<H", data, optional + 70)
        directories = optional + (112 if self.is64 else 96)
        (directory_count,) = struct.unpack_from("<I", data, directories - 4)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(directory_count)]
        sections = optional + optional_size
        self.sections = [struct.unpack_from("<IIII", data, sections + 40 * i + 8) for i in range(self.section_count)]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw_offset in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw_offset + rva - address
        raise ValueError(f"RVA {rva:#x} in no section")

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imports(self):
        """The names of the DLLs in the import and the delay-import tables."""
        names = []
        for index, size, name_field in ((IMPORT_DIRECTORY, 20, 3), (DELAY_IMPORT_DIRECTORY, 32, 1)):
            if index >= len(self.directories) or self.directories[index][0] == 0:
                continue
            entry = self.offset(self.directories[index][0])
            while True:
                fields = struct.unpack_from("<" + "I" * (size // 4), self.data, entry)
                if not any(fields):
                    break
                names.append(self.text(fields[name_field]))
                entry += size
        return names


def problems(path, allowed):
    with open(path, "rb") as file:
        pe = Pe(file.read())
    found = [f"imports {name}, not a DLL Windows takes from System32 only"
             for name in pe.imports() if name.lower() not in allowed]
    wanted = {"DYNAMIC_BASE": DYNAMIC_BASE, "NX_COMPAT": NX_COMPAT, "TERMINAL_SERVER_AWARE": TERMINAL_SERVER_AWARE}
    if pe.is64:
        wanted["HIGH_ENTROPY_VA"] = HIGH_ENTROPY_VA
    found += [f"DllCharacteristics {pe.dll_characteristics:#06x} lacks {name}"
              for name, bit in wanted.items() if not pe.dll_characteristics & bit]
    if pe.symbol_table or pe.symbol_count:
        found.append(f"not stripped: {pe.symbol_count} COFF symbols")
    return pe, found


def main():
    with open(sys.argv[1], encoding="utf-8") as file:
        allowed = {line.strip().lower() for line in file if line.strip() and not line.startswith("#")}
    failures = 0
    for path in sys.argv[2:]:
        pe, found = problems(path, allowed)
        print(f"{path}: {'64' if pe.is64 else '32'}-bit, imports {' '.join(sorted(pe.imports()))}")
        for problem in found:
            print(f"FAIL {path}: {problem}")
        failures += len(found)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
