"""How the comparison scripts report a command line on which zorvan-cli and the reference differ."""
import os
import shlex

HERE = os.path.dirname(os.path.abspath(__file__))


def report_difference(cli, argv, got, want):
    """Prints both command lines and what differs; got and want are (status, stdout, stderr)."""
    print("DIFFERENCE for: %s" % shlex.join([cli] + argv))
    print("  reference:    %s" % shlex.join(["python3", os.path.join(HERE, "zref.py")] + argv))
    for label, a, b in (("exit status", got[0], want[0]), ("stdout", got[1], want[1]),
                        ("stderr", got[2], want[2])):
        if a != b:
            print("  %s differs" % label)
            if isinstance(a, str):
                show_first_difference(a, b)
            else:
                print("    zorvan-cli: %r  reference: %r" % (a, b))


def show_first_difference(got, want):
    gl, wl = got.splitlines(), want.splitlines()
    for i in range(max(len(gl), len(wl))):
        g = gl[i] if i < len(gl) else "<missing>"
        w = wl[i] if i < len(wl) else "<missing>"
        if g != w:
            print("    line %d\n      zorvan-cli: %s\n      reference:  %s" % (i + 1, g, w))
            return
