#include "zrhost/text_state.h"

#include <ctype.h>
#include <errno.h>
#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

// ---- save state ---------------------------------------------------------------

namespace {

struct TextWriter {
    LWSaveState state;
    std::string text;
    std::vector<bool> open;  // per begun block: is it a leaf
};

TextWriter* writerOf(void* data)
{
    return static_cast<TextWriter*>(data);
}

void newLine(TextWriter* w)
{
    if (!w->text.empty()) w->text += '\n';
    w->text.append(2 * w->open.size(), ' ');
}

void appendf(TextWriter* w, const char* format, ...) __attribute__((format(printf, 2, 3)));
void appendf(TextWriter* w, const char* format, ...)
{
    char buf[64];
    va_list args;
    va_start(args, format);
    vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    w->text += buf;
}

void appendQuoted(TextWriter* w, const char* s)
{
    w->text += " \"";
    for (; s && *s; s++) {
        unsigned char c = static_cast<unsigned char>(*s);
        if (c == '"' || c == '\\') {
            w->text += '\\';
            w->text += char(c);
        } else if (c < 0x20 || c >= 0x7F) {
            appendf(w, "\\x%02X", c);
        } else {
            w->text += char(c);
        }
    }
    w->text += '"';
}

template <typename T>
void writeInts(void* data, const T* vals, int n)
{
    for (int i = 0; vals && i < n; i++) appendf(writerOf(data), " %lld", static_cast<long long>(vals[i]));
}

void writeRaw(void* data, const char* buf, int len)
{
    for (int i = 0; buf && i < len; i++) appendf(writerOf(data), " %02X", static_cast<unsigned char>(buf[i]));
}

void writeI1(void* data, const char* vals, int n)
{
    writeInts(data, reinterpret_cast<const signed char*>(vals), n);
}
void writeI2(void* data, const int16_t* vals, int n) { writeInts(data, vals, n); }
void writeI4(void* data, const int32_t* vals, int n) { writeInts(data, vals, n); }
void writeU1(void* data, const uint8_t* vals, int n) { writeInts(data, vals, n); }
void writeU2(void* data, const uint16_t* vals, int n) { writeInts(data, vals, n); }
void writeU4(void* data, const uint32_t* vals, int n) { writeInts(data, vals, n); }

void writeFP(void* data, const float* vals, int n)
{
    for (int i = 0; vals && i < n; i++) appendf(writerOf(data), " %.9g", double(vals[i]));
}

void writeStr(void* data, const char* str)
{
    appendQuoted(writerOf(data), str);
}

void writeID(void* data, const LWBlockIdent* id)
{
    if (id && id->token) appendf(writerOf(data), " %.40s", id->token);
}

void beginBlk(void* data, const LWBlockIdent* id, int leaf)
{
    TextWriter* w = writerOf(data);
    newLine(w);
    if (!leaf) w->text += "{ ";
    w->text += id && id->token ? id->token : "?";
    w->open.push_back(leaf != 0);
}

void endWriteBlk(void* data)
{
    TextWriter* w = writerOf(data);
    if (w->open.empty()) return;
    bool leaf = w->open.back();
    w->open.pop_back();
    if (!leaf) {
        newLine(w);
        w->text += '}';
    }
}

int saveDepth(void* data)
{
    return int(writerOf(data)->open.size());
}

}  // namespace

LWSaveState* newTextSaveState(int ioMode)
{
    TextWriter* w = new TextWriter;
    w->state = {ioMode, w, writeRaw, writeI1, writeI2, writeI4, writeU1, writeU2, writeU4, writeFP, writeStr,
                writeID, beginBlk, endWriteBlk, saveDepth};
    return &w->state;
}

const std::string& textSaveStateText(const LWSaveState* ss)
{
    TextWriter* w = writerOf(ss->writeData);
    while (!w->open.empty()) endWriteBlk(w);
    if (!w->text.empty() && w->text.back() != '\n') w->text += '\n';
    return w->text;
}

void freeTextSaveState(LWSaveState* ss)
{
    if (ss) delete writerOf(ss->writeData);
}

// ---- load state ---------------------------------------------------------------

namespace {

// The whole text is parsed once into two flat arrays, so that a large file
// costs a small multiple of its size: its words, decoded and each ended by
// a zero byte, and its blocks in the order they appear, each the offset of
// its first word (the token) and the index just past its last descendant.
// A block's values run up to the next block's token; its children follow
// it directly, and a child's end is the index of its next sibling.
struct Block {
    uint32_t words;
    uint32_t end;
};

struct Cursor {
    uint32_t block;
    uint32_t nextChild;
    uint32_t nextValue;  // offset of the next value's word
};

struct TextReader {
    LWLoadState state;
    std::vector<char> words;
    std::vector<Block> blocks;  // blocks[0] is the root, which has no words
    std::vector<Cursor> stack;
};

// Deeper nesting than any scene needs is read as flat, so hostile input
// cannot exhaust the stack of a recursive reader.
const size_t MAX_DEPTH = 64;

TextReader* readerOf(void* data)
{
    return static_cast<TextReader*>(data);
}

// One quoted string's characters after its opening quote, escapes decoded;
// returns where the string ends in the input. A zero byte ends the text a
// reader can see, so the rest of such a string is skipped.
const char* decodeQuoted(const char* p, const char* end, std::vector<char>* out)
{
    bool cut = false;
    for (; p < end && *p != '"'; p++) {
        char c = *p;
        if (c == '\\' && p + 1 < end) {
            p++;
            c = *p;
            if (c == 'x' && p + 2 < end && isxdigit(static_cast<unsigned char>(p[1])) &&
                isxdigit(static_cast<unsigned char>(p[2]))) {
                char hex[3] = {p[1], p[2], 0};
                c = char(strtol(hex, nullptr, 16));
                p += 2;
            }
        }
        if (c == 0) cut = true;
        if (!cut) out->push_back(c);
    }
    return p < end ? p + 1 : p;  // past the closing quote
}

// Appends the line's words to out, each ended by a zero byte; a quoted
// string is marked by a leading '"'. Returns how many there were.
size_t splitWords(const char* p, const char* end, std::vector<char>* out)
{
    size_t count = 0;
    while (p < end) {
        while (p < end && isspace(static_cast<unsigned char>(*p))) p++;
        if (p >= end) break;
        if (*p == '"') {
            out->push_back('"');
            p = decodeQuoted(p + 1, end, out);
        } else {
            while (p < end && !isspace(static_cast<unsigned char>(*p))) out->push_back(*p++);
        }
        out->push_back(0);
        count++;
    }
    return count;
}

// The block's words end where the next block's begin.
uint32_t wordsEnd(const TextReader* r, uint32_t block)
{
    return block + 1 < r->blocks.size() ? r->blocks[block + 1].words : uint32_t(r->words.size());
}

void parse(TextReader* r, const char* text, size_t size)
{
    if (size >= UINT32_MAX) size = UINT32_MAX - 1;  // offsets are 32-bit
    const char* end = text + size;
    size_t lines = 1;
    for (const char* p = text; (p = static_cast<const char*>(memchr(p, '\n', size_t(end - p)))) != nullptr; p++) lines++;
    r->words.reserve(size + 1);
    r->blocks.reserve(lines + 1);
    r->blocks.push_back({0, 0});
    std::vector<uint32_t> open = {0};
    for (const char* p = text; p < end;) {
        const char* eol = static_cast<const char*>(memchr(p, '\n', size_t(end - p)));
        if (!eol) eol = end;
        size_t start = r->words.size();
        size_t count = splitWords(p, eol, &r->words);
        p = eol + 1;
        const char* first = r->words.data() + start;
        bool closing = count > 0 && strcmp(first, "}") == 0;
        bool nested = count > 0 && strcmp(first, "{") == 0;
        if (closing || count == (nested ? 1u : 0u)) {  // no block on this line
            r->words.resize(start);
            if (closing && open.size() > 1) {
                r->blocks[open.back()].end = uint32_t(r->blocks.size());
                open.pop_back();
            }
            continue;
        }
        if (nested) r->words.erase(r->words.begin() + long(start), r->words.begin() + long(start) + 2);
        uint32_t index = uint32_t(r->blocks.size());
        r->blocks.push_back({uint32_t(start), index + 1});
        if (nested && open.size() < MAX_DEPTH) open.push_back(index);
    }
    for (uint32_t block : open) r->blocks[block].end = uint32_t(r->blocks.size());
}

Cursor& top(void* data)
{
    return readerOf(data)->stack.back();
}

// The next value of the current block, or null when there is none left.
const char* nextValue(void* data)
{
    TextReader* r = readerOf(data);
    Cursor& c = top(data);
    if (c.nextValue >= wordsEnd(r, c.block)) return nullptr;
    const char* value = r->words.data() + c.nextValue;
    c.nextValue += uint32_t(strlen(value)) + 1;
    return value;
}

template <typename T>
int readInts(void* data, T* vals, int n, long long lo, long long hi)
{
    int count = 0;
    for (; vals && count < n; count++) {
        const char* v = nextValue(data);
        if (!v) break;
        errno = 0;
        char* end = nullptr;
        long long x = strtoll(v, &end, 10);
        if (end == v || *end || errno) x = 0;
        vals[count] = static_cast<T>(x < lo ? lo : x > hi ? hi : x);
    }
    return count;
}

int readRaw(void* data, char* buf, int len)
{
    int count = 0;
    for (; buf && count < len; count++) {
        const char* v = nextValue(data);
        if (!v) break;
        buf[count] = char(strtol(v, nullptr, 16));
    }
    return count;
}

int readI1(void* data, char* vals, int n)
{
    return readInts(data, reinterpret_cast<signed char*>(vals), n, SCHAR_MIN, SCHAR_MAX);
}
int readI2(void* data, int16_t* vals, int n) { return readInts(data, vals, n, INT16_MIN, INT16_MAX); }
int readI4(void* data, int32_t* vals, int n) { return readInts(data, vals, n, INT32_MIN, INT32_MAX); }
int readU1(void* data, uint8_t* vals, int n) { return readInts(data, vals, n, 0, UINT8_MAX); }
int readU2(void* data, uint16_t* vals, int n) { return readInts(data, vals, n, 0, UINT16_MAX); }
int readU4(void* data, uint32_t* vals, int n) { return readInts(data, vals, n, 0, UINT32_MAX); }

int readFP(void* data, float* vals, int n)
{
    int count = 0;
    for (; vals && count < n; count++) {
        const char* v = nextValue(data);
        if (!v) break;
        vals[count] = strtof(v, nullptr);
    }
    return count;
}

// Copies at most max - 1 characters and a terminator, however long the
// stored text is; returns the characters copied, or -1 when none is left.
int readStr(void* data, char* buf, int max)
{
    if (!buf || max <= 0) return 0;
    const char* v = nextValue(data);
    if (!v) {
        buf[0] = 0;
        return -1;
    }
    const char* s = v + (*v == '"' ? 1 : 0);
    size_t n = strlen(s);
    if (n > size_t(max - 1)) n = size_t(max - 1);
    memcpy(buf, s, n);
    buf[n] = 0;
    return int(n);
}

LWID matchToken(const char* token, const LWBlockIdent* list)
{
    for (; list && list->id; list++)
        if (list->token && strcmp(token, list->token) == 0) return list->id;
    return 0;
}

LWID readID(void* data, const LWBlockIdent* list)
{
    const char* v = nextValue(data);
    return v ? matchToken(v, list) : 0;
}

// Skips blocks not in the list; enters the first one that is.
LWID findBlk(void* data, const LWBlockIdent* list)
{
    TextReader* r = readerOf(data);
    Cursor& c = r->stack.back();
    while (c.nextChild < r->blocks[c.block].end) {
        uint32_t child = c.nextChild;
        c.nextChild = r->blocks[child].end;
        const char* token = r->words.data() + r->blocks[child].words;
        LWID id = matchToken(token, list);
        if (id) {
            r->stack.push_back({child, child + 1, r->blocks[child].words + uint32_t(strlen(token)) + 1});
            return id;
        }
    }
    return 0;
}

void endReadBlk(void* data)
{
    TextReader* r = readerOf(data);
    if (r->stack.size() > 1) r->stack.pop_back();
}

int loadDepth(void* data)
{
    return int(readerOf(data)->stack.size()) - 1;
}

}  // namespace

LWLoadState* newTextLoadState(const char* text, size_t size, int ioMode)
{
    TextReader* r = new TextReader;
    r->state = {ioMode, r, readRaw, readI1, readI2, readI4, readU1, readU2, readU4, readFP, readStr,
                readID, findBlk, endReadBlk, loadDepth};
    parse(r, text ? text : "", text ? size : 0);
    r->stack.push_back({0, 1, 0});
    return &r->state;
}

void freeTextLoadState(LWLoadState* ls)
{
    if (ls) delete readerOf(ls->readData);
}
