# Shared by the Python tests: where the sources and the build are.
import os
import struct
import sys

import pytest

SOURCE_DIR = os.environ.get("KUBISTO_SOURCE_DIR", os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..")))
BIN_DIR = os.environ.get("KUBISTO_BIN_DIR", "")
TITLE = "超簡易3D積み木「Oh!Kubisto!!forWindows」Ver0.3bβ2".encode("shift_jis")


def layout_bytes(divide, blocks):
    """The bytes the program writes for these blocks (given in file order)."""
    lines = [str(divide)] + ["%d,%d,%d,%d" % b for b in blocks] + ["-1,-1,-1,0"]
    return "".join(line + "\r\n" for line in lines).encode("ascii") + b'"' + TITLE + b'"\r\n'


def vox_bytes(models):
    """A .vox file built from the format's description: the given models, each (size, voxels)
    with voxels as (x, y, z, palette index), and a palette whose first entry is red."""
    def chunk(name, content, children=b""):
        return name + struct.pack("<II", len(content), len(children)) + content + children
    body = b""
    for size, voxels in models:
        body += chunk(b"SIZE", struct.pack("<III", *size))
        body += chunk(b"XYZI", struct.pack("<I", len(voxels)) + b"".join(bytes(v) for v in voxels))
    body += chunk(b"RGBA", bytes((255, 0, 0, 255)) * 256)
    return b"VOX " + struct.pack("<I", 150) + chunk(b"MAIN", b"", body)


@pytest.fixture
def room():
    import kubisto
    return kubisto.Room()
