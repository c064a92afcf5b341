#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_names_text into corpus/ beside this script.

Each seed is one byte that picks the fuzzer's piece size, then the bytes of a names file:
one of each kind of file and line end the decoding tells apart.
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent


def utf16(text, big_endian):
    return text.encode("utf-16-be" if big_endian else "utf-16-le")


SEEDS = {
    # name: (piece-size byte, file bytes)
    "gbk_crlf": (0x00, "张三\r\n李四\r\n".encode("gbk")),
    "gbk_cut_lead_byte": (0x01, "张".encode("gbk") + b"\x81"),
    "gb18030_four_byte": (0x02, b"\x95\x32\x82\x36\r\n\x82\x37\xcf\x35" + "张".encode("gbk")),
    "utf8_bom": (0x03, b"\xef\xbb\xbf" + "张三\n李四\n".encode("utf-8")),
    "utf8_no_bom": (0x04, "王五\r\nTom\r\n".encode("utf-8")),
    "utf8_invalid": (0x05, "张三\r\n".encode("utf-8") + b"\xff\xc0\x80\xed\xa0\x80"),
    "utf16le_bom": (0x06, b"\xff\xfe" + utf16("张三\r\n李四\r\n\U00020000", False)),
    "utf16be_bom": (0x07, b"\xfe\xff" + utf16("Tom\rAnn\n", True)),
    "utf16_lone_surrogate_odd_end": (0x08, b"\xff\xfe\x00\xd8A\x00" + b"\x00\xdcB"),
    "lone_cr": (0x09, b"Tom\rAnn\rSue"),
    "blank_lines": (0x0A, "\r\n \r\n\t\n\u3000\r\nTom\r\n\r\n".encode("utf-8")),
    "zero_byte": (0x0B, b"Tom\r\nAnn\x00Sue\r\n"),
    "empty_file": (0x0C, b""),
}


def main():
    out = HERE / "corpus"
    out.mkdir(exist_ok=True)
    for name, (piece, data) in SEEDS.items():
        (out / name).write_bytes(bytes([piece]) + data)


if __name__ == "__main__":
    main()
