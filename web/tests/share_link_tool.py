"""Share links as another tool makes and reads them, with Python's zlib alone (wbits=-15: raw
deflate, RFC 1951) and base64url without padding. Used by share_link_test.js.

  share_link_tool.py encode FILE     prints "#kbs=" and FILE's bytes as link text
  share_link_tool.py decode TEXT OUT writes the layout bytes of a fragment's text to OUT
  share_link_tool.py bomb SIZE OUT   writes the link text of SIZE zero bytes to OUT
"""
import base64
import sys
import zlib


def encode(data: bytes) -> str:
    packer = zlib.compressobj(level=9, wbits=-15)
    packed = packer.compress(data) + packer.flush()
    return "#kbs=" + base64.urlsafe_b64encode(packed).decode("ascii").rstrip("=")


def decode(fragment: str) -> bytes:
    text = fragment[len("#kbs="):] if fragment.startswith("#kbs=") else fragment
    packed = base64.urlsafe_b64decode(text + "=" * (-len(text) % 4))
    unpacker = zlib.decompressobj(wbits=-15)
    data = unpacker.decompress(packed) + unpacker.flush()
    if not unpacker.eof or unpacker.unused_data:
        raise ValueError("not one whole deflate stream")
    return data


def main() -> None:
    what = sys.argv[1]
    if what == "encode":
        with open(sys.argv[2], "rb") as f:
            sys.stdout.write(encode(f.read()))
    elif what == "decode":
        with open(sys.argv[3], "wb") as f:
            f.write(decode(sys.argv[2]))
    elif what == "bomb":
        with open(sys.argv[3], "w") as f:
            f.write(encode(bytes(int(sys.argv[2]))))
    else:
        sys.exit("usage: share_link_tool.py encode|decode|bomb ...")


if __name__ == "__main__":
    main()
