#include "DosAssemblerImage.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

// Where the run's version check looks, and what it wants to find there.
constexpr std::size_t kSignatureOffset = 161620;
constexpr char kSignature[] = "Talvorendix";
constexpr std::size_t kSignatureSize = sizeof kSignature - 1;

// The program runs with DS = ES = its PSP, as DOS starts an MZ program, and never loads a
// segment register: DOS puts the load image right after the 256-byte PSP, so image byte x is
// address 0x100 + x of the PSP's segment, as in a .COM program. The code starts at image byte 0
// (CS:IP = load segment:0); its jumps are relative, its data addresses PSP-based.
constexpr std::uint16_t kOrigin = 0x100;

constexpr std::uint8_t lo(std::uint16_t v) {
    return static_cast<std::uint8_t>(v & 0xFF);
}
constexpr std::uint8_t hi(std::uint16_t v) {
    return static_cast<std::uint8_t>(v >> 8);
}

// One instruction: its image offset and its bytes.
struct Op {
    std::uint16_t at = 0;
    std::uint8_t size = 0;
    std::uint8_t bytes[4] = {};
};

template <class... Bytes> constexpr Op op(std::uint16_t at, Bytes... bytes) {
    static_assert(sizeof...(bytes) >= 1 && sizeof...(bytes) <= 4);
    return {at, static_cast<std::uint8_t>(sizeof...(bytes)), {static_cast<std::uint8_t>(bytes)...}};
}
// An opcode byte and a 16-bit immediate.
constexpr Op withWord(std::uint16_t at, std::uint8_t opcode, std::uint16_t operand) {
    return op(at, opcode, lo(operand), hi(operand));
}
// A short jump (Jcc, JMP short, JCXZ) to `target`.
constexpr Op jumpTo(std::uint16_t at, std::uint8_t opcode, std::uint16_t target) {
    const int displacement = int(target) - int(at + 2);
    if (displacement < -128 || displacement > 127)
        throw "short jump out of reach";
    return op(at, opcode, displacement & 0xFF);
}
// A near call to `target`.
constexpr Op callTo(std::uint16_t at, std::uint16_t target) {
    return withWord(at, 0xE8, static_cast<std::uint16_t>(target - (at + 3)));
}

// Labels: image offsets of the code below.
constexpr std::uint16_t kCopy = 0x2B;
constexpr std::uint16_t kFail = 0x44;
constexpr std::uint16_t kDone = 0x4B;
constexpr std::uint16_t kFinish = 0x5A;
constexpr std::uint16_t kWord = 0x64;
constexpr std::uint16_t kScan = 0x6E;
constexpr std::uint16_t kWordEnd = 0x7A;
constexpr std::uint16_t kCodeSize = 0x7B;

// The data after the code.
constexpr char kOutputHeader[] = "BWD"; // with its NUL: 4 bytes
constexpr char kDoneText[] = "KORT test assembler: assembled\r\n$";
constexpr char kFailText[] = "KORT test assembler: error\r\n$";
constexpr std::uint16_t kOutputHeaderAt = kCodeSize;
constexpr std::uint16_t kDoneTextAt = kOutputHeaderAt + sizeof kOutputHeader;
constexpr std::uint16_t kFailTextAt = kDoneTextAt + sizeof kDoneText - 1;
constexpr std::uint16_t kProgramSize = kFailTextAt + sizeof kFailText - 1;

// Memory beyond the load image (DOS gives at least the header's minimum allocation): the copy
// buffer on the next paragraph, then the stack, whose top is SS:SP = load segment:kStackTop.
constexpr std::uint16_t kBufferAt = (kProgramSize + 15) / 16 * 16;
constexpr std::uint16_t kBufferSize = 0x800;
constexpr std::uint16_t kStackTop = 0x1000;
static_assert(kBufferAt + kBufferSize + 0x100 <= kStackTop, "the stack needs room");

// The PSP-based address of an image byte.
constexpr std::uint16_t address(std::uint16_t imageOffset) {
    return kOrigin + imageOffset;
}

// Register use: SI walks the command tail; DI and BX hold the two file handles (swapped with
// XCHG so that BX is the one DOS works on); DX points at names, texts and the buffer; BL keeps
// the exit code across the last print.
constexpr Op kCode[] = {
    // Command tail: its length at PSP:80h, its text from PSP:81h, ending in CR.
    op(0x00, 0xFC),                                 // cld
    withWord(0x01, 0xBE, 0x0081),                   // mov si, 0081h
    callTo(0x04, kWord),                            // call word      (/p=, unused)
    callTo(0x07, kWord),                            // call word      (DX = swap file)
    withWord(0x0A, 0xB8, 0x3D00),                   // mov ax, 3D00h  (open, read only)
    op(0x0D, 0xCD, 0x21),                           // int 21h
    jumpTo(0x0F, 0x72, kFail),                      // jc fail
    op(0x11, 0x89, 0xC7),                           // mov di, ax     (DI = swap handle)
    callTo(0x13, kWord),                            // call word      (DX = output)
    op(0x16, 0xB4, 0x3C),                           // mov ah, 3Ch    (create)
    op(0x18, 0x31, 0xC9),                           // xor cx, cx     (no attributes)
    op(0x1A, 0xCD, 0x21),                           // int 21h
    jumpTo(0x1C, 0x72, kFail),                      // jc fail
    op(0x1E, 0x93),                                 // xchg ax, bx    (BX = output handle)
    op(0x1F, 0xB4, 0x40),                           // mov ah, 40h    (write)
    withWord(0x21, 0xB9, sizeof kOutputHeader),     // mov cx, 4
    withWord(0x24, 0xBA, address(kOutputHeaderAt)), // mov dx, "BWD",0
    op(0x27, 0xCD, 0x21),                           // int 21h
    jumpTo(0x29, 0x72, kFail),                      // jc fail
    op(kCopy, 0x87, 0xFB),                          // copy: xchg di, bx (BX = swap handle)
    op(0x2D, 0xB4, 0x3F),                           // mov ah, 3Fh    (read)
    withWord(0x2F, 0xB9, kBufferSize),              // mov cx, 0800h
    withWord(0x32, 0xBA, address(kBufferAt)),       // mov dx, buffer
    op(0x35, 0xCD, 0x21),                           // int 21h
    jumpTo(0x37, 0x72, kFail),                      // jc fail
    op(0x39, 0x87, 0xFB),                           // xchg di, bx    (BX = output handle)
    op(0x3B, 0x91),                                 // xchg ax, cx    (CX = bytes read)
    jumpTo(0x3C, 0xE3, kDone),                      // jcxz done
    op(0x3E, 0xB4, 0x40),                           // mov ah, 40h    (write CX bytes)
    op(0x40, 0xCD, 0x21),                           // int 21h
    jumpTo(0x42, 0x73, kCopy),                      // jnc copy
    withWord(kFail, 0xBA, address(kFailTextAt)),    // fail: mov dx, error line
    op(0x47, 0xB3, 0x01),                           // mov bl, 1      (exit code)
    jumpTo(0x49, 0xEB, kFinish),                    // jmp finish
    op(kDone, 0xB4, 0x3E),                          // done: mov ah, 3Eh (close the output)
    op(0x4D, 0xCD, 0x21),                           // int 21h
    op(0x4F, 0x87, 0xFB),                           // xchg di, bx    (BX = swap handle)
    op(0x51, 0xB4, 0x3E),                           // mov ah, 3Eh    (close it)
    op(0x53, 0xCD, 0x21),                           // int 21h
    withWord(0x55, 0xBA, address(kDoneTextAt)),     // mov dx, done line
    op(0x58, 0xB3, 0x00),                           // mov bl, 0      (exit code)
    op(kFinish, 0xB4, 0x09),                        // finish: mov ah, 09h (print up to "$")
    op(0x5C, 0xCD, 0x21),                           // int 21h
    op(0x5E, 0x88, 0xD8),                           // mov al, bl
    op(0x60, 0xB4, 0x4C),                           // mov ah, 4Ch    (exit with code AL)
    op(0x62, 0xCD, 0x21),                           // int 21h
    // word: the next blank-separated word at SI, NUL-terminated in place, DX = its start. At
    // the end of the tail (CR, or any control character where a word should start) it goes to
    // fail; a CR that ends a word stays under SI, so a further call fails there.
    op(kWord, 0xAC),                  // word: lodsb
    op(0x65, 0x3C, 0x20),             // cmp al, 20h
    jumpTo(0x67, 0x74, kWord),        // je word        (skip blanks)
    jumpTo(0x69, 0x72, kFail),        // jb fail        (no word left)
    op(0x6B, 0x8D, 0x54, 0xFF),       // lea dx, [si-1]
    op(kScan, 0xAC),                  // scan: lodsb
    op(0x6F, 0x3C, 0x20),             // cmp al, 20h
    jumpTo(0x71, 0x77, kScan),        // ja scan
    op(0x73, 0xC6, 0x44, 0xFF, 0x00), // mov byte [si-1], 0 (flags kept)
    jumpTo(0x77, 0x74, kWordEnd),     // je wordEnd     (ended by a blank)
    op(0x79, 0x4E),                   // dec si         (back onto the CR)
    op(kWordEnd, 0xC3),               // wordEnd: ret
};

// Every instruction starts where the one before it ends, so the offsets above, the labels
// among them and the jumps computed from them are right.
constexpr bool laidOutInOrder() {
    std::uint16_t next = 0;
    for (const Op& o : kCode) {
        if (o.at != next)
            return false;
        next = static_cast<std::uint16_t>(next + o.size);
    }
    return next == kCodeSize;
}
static_assert(laidOutInOrder(), "an instruction's offset is wrong");

// The MZ header: 32 bytes (two paragraphs), no relocations.
constexpr std::uint16_t kHeaderSize = 32;
constexpr std::uint16_t kLoadSize = kHeaderSize + kProgramSize;
static_assert(kLoadSize < 512, "the load image is meant to fit one page");

void put16(std::vector<std::uint8_t>& image, std::size_t at, std::uint16_t value) {
    image[at] = lo(value);
    image[at + 1] = hi(value);
}

} // namespace

std::vector<std::uint8_t> dosTestAssemblerImage() {
    std::vector<std::uint8_t> image(kSignatureOffset + kSignatureSize, 0);
    image[0] = 'M';
    image[1] = 'Z';
    // The load image is the header and the program; the rest of the file is not loaded. (DOSBox
    // reads at least one page, so the zeros after the program up to 512 bytes: harmless, the
    // copy buffer starts among them.)
    put16(image, 0x02, kLoadSize % 512);         // bytes in the last page
    put16(image, 0x04, (kLoadSize + 511) / 512); // pages
    put16(image, 0x06, 0);                       // relocations
    put16(image, 0x08, kHeaderSize / 16);        // header paragraphs
    // Enough memory for the buffer and the stack; as much as there is at most (a non-zero
    // maximum also keeps DOS from loading the program at the top of memory).
    put16(image, 0x0A, (kStackTop - kProgramSize + 15) / 16); // minimum extra paragraphs
    put16(image, 0x0C, 0xFFFF);                               // maximum extra paragraphs
    put16(image, 0x0E, 0);                                    // SS, relative to the load segment
    put16(image, 0x10, kStackTop);                            // SP
    put16(image, 0x12, 0);                                    // checksum (unused)
    put16(image, 0x14, 0);                                    // IP
    put16(image, 0x16, 0);                                    // CS, relative to the load segment
    put16(image, 0x18, 0x1C);                                 // relocation table offset
    put16(image, 0x1A, 0);                                    // overlay number

    auto* program = image.data() + kHeaderSize;
    for (const Op& o : kCode)
        std::copy(o.bytes, o.bytes + o.size, program + o.at);
    std::memcpy(program + kOutputHeaderAt, kOutputHeader, sizeof kOutputHeader);
    std::memcpy(program + kDoneTextAt, kDoneText, sizeof kDoneText - 1);
    std::memcpy(program + kFailTextAt, kFailText, sizeof kFailText - 1);
    std::memcpy(image.data() + kSignatureOffset, kSignature, kSignatureSize);
    return image;
}
