#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into fuzz/corpus/.

Key translator inputs: the first byte marks a pause longer than the ESC wait
wherever it appears again. Program inputs: one byte per key, as
fuzz_console.cpp decodes them (0xFD + byte: that one-code key; 0xFE + code:
lead 0 and that second code; 0xFF + code: lead 224). Terms inputs: a
partial lattice in 7 bytes, then the text (terms_fuzz.cpp). Presentation
inputs: --poset's chains, then --define's list and each relation after a
zero byte (presentation_fuzz.cpp)."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))

# --- key translator -------------------------------------------------------
PAUSE = b"\xfe"
ESC = b"\x1b"
CSI = ESC + b"["
SS3 = ESC + b"O"


def translator_seeds():
    movement = b"ABCDHFE"
    seeds = {}
    seeds["pentagon"] = b"abc a12c\r\r"
    seeds["movement_plain"] = b"".join(CSI + bytes([c]) + SS3 + bytes([c]) for c in movement) + CSI + b"G"
    seeds["movement_modified"] = b"".join(
        CSI + b"1;" + str(m).encode() + bytes([c]) for c in movement for m in range(1, 9))
    seeds["numbered"] = b"".join(
        CSI + str(n).encode() + end for n in (1, 2, 3, 4, 5, 6, 7, 8) for end in (b"~", b";2~", b";5~", b";3~"))
    seeds["function_keys"] = (b"".join(SS3 + bytes([c]) for c in b"PQRS")
                              + b"".join(CSI + b"[" + bytes([c]) for c in b"ABCDE")
                              + b"".join(CSI + str(n).encode() + b";6~" for n in (11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 23, 24)))
    seeds["rxvt"] = (b"".join(CSI + bytes([c]) + SS3 + bytes([c]) for c in b"abcd")
                     + b"".join(CSI + str(n).encode() + e for n in (2, 3, 5, 6, 7, 8) for e in (b"$", b"^", b"@")))
    seeds["escape_and_alt"] = (ESC + PAUSE + ESC + ESC + PAUSE + ESC + b"a" + ESC + b"Q" + ESC + ESC + b"x"
                               + ESC + CSI + b"A" + ESC + SS3 + b"B" + ESC + CSI + b"5~" + ESC + CSI + b"[A")
    seeds["cut_off"] = (CSI + b"1;" + PAUSE + CSI + b"1;5" + b"\r" + SS3 + PAUSE + CSI + b"?25h" + b"q"
                        + CSI + b"1;2;3A" + b"y" + CSI + b"99999999999A" + b"n" + CSI + b"\xc3\xa9")
    seeds["utf8"] = ("é ü Ç ñ £ § ¶ α ─ ┼ │ ⌂ ☺ €".encode() + b" \xc3 \xe0\x80\x80 \xed\xa0\x80 \xf4\x90\x80\x80 \xff"
                     + b"\x7f\x08\x09\x00\x03")
    # Terminal replies and reports: every string introducer with BEL and ST,
    # cancelled, cut off, split by pauses; X10 mouse reports with high bytes;
    # a string one byte past its bound of 4096.
    BEL, ST = b"\x07", ESC + b"\\"
    seeds["strings"] = (b"".join(ESC + i + b"1;x" + BEL + ESC + i + b"2;y" + ST for i in (b"]", b"P", b"X", b"^", b"_"))
                        + ESC + b"]11;rgb:0000/0000/0000" + ST + ESC + b"P1$r0m" + ST + ESC + b"]lq" + ST
                        + ESC + b"]2;a\x18b" + ESC + b"_c\x1ad" + ESC + b"]e" + ESC + b"a"
                        + ESC + b"]" + PAUSE + ESC + b"P" + PAUSE + ESC + b"]11;rgb" + PAUSE + b":0/0/0" + ESC + PAUSE + b"\\"
                        + CSI + b"M q!" + CSI + b"M\xff\xa0\x80" + CSI + b"M q" + b"\r"
                        + ESC + b"]" + b"x" * 4097 + BEL)
    return seeds


# --- whole program ----------------------------------------------------------
FEW = "abc12de"
ALL = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
TABLE = {}


def build_table():
    b = 0

    def put(key, times):
        nonlocal b
        for _ in range(times):
            TABLE.setdefault(key, b)
            b += 1

    for ch in FEW:
        put(ch, 8)
    for ch in ALL:
        put(ch, 1)
    put(" ", 20)
    put("\r", 20)
    put("y", 12)
    put("Y", 3)
    put("n", 6)
    for ch in "hjlmt":
        put(ch, 3)
    put("q", 2)
    for lead in (0, 224):
        for code in (71, 72, 73, 75, 77, 79, 80, 81, 82, 83):
            put((lead, code), 1)


def keys(*parts):
    out = bytearray()
    for part in parts:
        if isinstance(part, tuple):
            out += bytes([0xFE if part[0] == 0 else 0xFF, part[1]])
            continue
        for ch in part:
            if ch in TABLE:
                out.append(TABLE[ch])
            else:
                out += bytes([0xFD, ord(ch)])
    return bytes(out)


UP, DOWN, LEFT, RIGHT = (0, 72), (0, 80), (0, 75), (0, 77)
HOME, END, PGUP, PGDN = (0, 71), (0, 79), (0, 73), (0, 81)
XUP, XRIGHT = (224, 72), (224, 77)


def program_seeds():
    build_table()
    seeds = {}
    seeds["pentagon"] = keys("abc a12c\r\r", "y", "nnnn", "j", "t", "h", "q")
    seeds["empty"] = keys("\r", "y", "lq")
    seeds["cycle_then_chain"] = keys("aba\r\r", "ab\r\r", "n", "lt", "q")
    seeds["self_loop_then_diamond"] = keys("aa\r", "\r", "a1b a2b\r\r", "y", "yy", "ljm", "q")
    seeds["square_yes"] = keys("ab ac bd cd\r\r", "n", "yyyy", "jq")
    seeds["two_plus_two_scrolled"] = keys(
        "ab cd\r\r", "l", RIGHT, RIGHT, DOWN, PGDN, END, "3333", "666", "2", XRIGHT, XUP, HOME, "7", "x",
        "j", "3", "3", "3", "3", "9", "9", "1", "1", PGUP, "x", "m", "3333", "2", "x", "t", "q")
    seeds["all_names"] = keys(ALL + "\r\r", "n", "l", "3333333", "x", "t", "q")
    seeds["three_free"] = keys("a b c\r\r", "t", "j", "6", "6", "x", "q")
    seeds["crown"] = keys("ac ad bc bd\r\r", "y", "lq")
    seeds["m3_all_defined"] = keys("a1b a2b a3b\r\r", "y", "yyyyyy", "tmq")
    seeds["meet_without_join"] = keys("ab ac\r\r", "y", "jtq")
    seeds["keys_that_mean_nothing"] = keys("<\b\x1b\x03", "ab<c\r", " \r", "Q", (0, 59), (224, 133), "N", "Hq")
    return seeds


# --- terms ------------------------------------------------------------------
def presentation(count, order=0, meets=0, joins=0):
    """The 7-byte header of terms_fuzz.cpp: generators a.. (count of them),
    the ordered pairs i < j, and the meets and joins declared defined, each a
    16-bit set over the pairs i < j in order."""
    return bytes([count - 1, order & 0xFF, order >> 8, meets & 0xFF, meets >> 8, joins & 0xFF, joins >> 8])


def terms_seeds():
    # Pentagon a < b < e, a < c < d < e (pairs ab ac ad ae bc bd be cd ce de).
    pentagon = presentation(5, order=0b1111001111, meets=0b10000, joins=0b100000)
    return {
        "distributive": presentation(3) + b"a(b+c)|ab+ac",
        "median": presentation(3) + b"(a+b)(a+c)(b+c)|ab+ac+bc",
        "relation_both_ways": presentation(3) + b"a+b.c = (a+b)(a+c)",
        "pentagon": pentagon + b"(c+b)d|c+bd",
        "chain": presentation(4, order=0b111111) + b"a+b(c+d)|(a+b)(c+d)",
        "nested": presentation(2) + b"((((a+b)a)+b)a)+(b.a)|a(b+a(b+a))",
        "bad_terms": presentation(6, joins=0xFFFF, meets=0xFFFF) + b"(a+f)e..|()+",
    }


# --- presentations -----------------------------------------------------------
def stated(chains, define=None, *relations):
    parts = [chains] + ([define] if define is not None else []) + list(relations)
    return b"\0".join(parts)


def presentation_seeds():
    return {
        "pentagon_decided": stated(b"abc a12c", b"b.1", b"b1<=a", b"1+b2<=(1+b)2", b"b(1+2) = b1+b2"),
        "crlf_chains": stated(b"a<b\r\nb<c\r\n", b"", b"a<=c"),
        "square_all": stated(b"abd acd", b"all", b"b+c=d", b"bc <= a"),
        "m3_all": stated(b"a1b a2b a3b", b"all", b"1(2+3)=a", b"(1+2)(1+3)>=1"),
        "one_plus_three_closed": stated(b"a bcd", b"", b"a(b+c)<=ab+ac", b"(a+b)(a+d)=a+bd"),
        "three_free_at_the_limit": stated(b"a b c", None, b"(a+b)(a+c)(b+c)=ab+ac+bc"),
        "values_and_separators": stated(b"a<b<c a<1<2<c", b" ,b+1=c,b.2=a , b+2", b"2+b<=c"),
        "refused_poset": stated(b"a<b, c<<d abc ca"),
        "refused_define": stated(b"abc a12c", b"b.1=z a+c b-2 all"),
        "refused_relation": stated(b"ab", b"", b"a(b+c<=a", b"a<=", b"((a)"),
    }


def write(target, seeds):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(PAUSE + data if target == "key_translator" else data)


if __name__ == "__main__":
    write("key_translator", translator_seeds())
    write("program", program_seeds())
    write("terms", terms_seeds())
    write("presentation", presentation_seeds())
