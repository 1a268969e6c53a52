# Shared by the Python tests: where the sources and the build are.
import os
import sys

import pytest

SOURCE_DIR = os.environ.get("KUBISTO_SOURCE_DIR", os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..")))
BIN_DIR = os.environ.get("KUBISTO_BIN_DIR", "")
TITLE = "超簡易3D積み木「Oh!Kubisto!!forWindows」Ver0.3bβ2".encode("shift_jis")


def layout_bytes(divide, blocks):
    """The bytes the program writes for these blocks (given in file order)."""
    lines = [str(divide)] + ["%d,%d,%d,%d" % b for b in blocks] + ["-1,-1,-1,0"]
    return "".join(line + "\r\n" for line in lines).encode("ascii") + b'"' + TITLE + b'"\r\n'


@pytest.fixture
def room():
    import kubisto
    return kubisto.Room()
