#!/usr/bin/python3
"""Checks the add-in file the program carries (resources/addin.ppa) with
readers that are not its writer: Debian's olefile must open it as a compound
file holding the streams of a PowerPoint presentation, and the host's chain
(host_chain.py: Current User -> UserEditAtom -> persist directory ->
DocumentContainer -> VBAInfoAtom -> ExOleObjStg -> VBA project) must find the
module source of tools/addin/ in it, line for line. Every reading check runs
first on a file PowerPoint itself saved with a macro, as a positive control.
Last, the generator must rebuild the file byte for byte, so the carried file is
never older than its source.

Usage: tests/addin/check_addin.py SOURCE_DIR   (exit status 0 when all hold)
"""
import re
import subprocess
import sys
import tempfile
from pathlib import Path

import olefile

import host_chain

failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)
    return ok


def vba_project(path):
    """The VBA project's compound file, as the host's chain finds it."""
    outer = olefile.OleFileIO(str(path), raise_defects=olefile.DEFECT_INCORRECT)
    current_user = outer.openstream("Current User").read()
    document = outer.openstream("PowerPoint Document").read()
    outer.close()
    directory, document_id = host_chain.persist_directory(document, host_chain.current_edit_offset(current_user))
    return host_chain.vba_storage(document, host_chain.vba_project_offset(document, directory, document_id))


def reference_names(storage):
    """The names of the project's references, from its dir stream."""
    ole = olefile.OleFileIO(storage, raise_defects=olefile.DEFECT_INCORRECT)
    records = host_chain.dir_records(host_chain.decompress(ole.openstream("VBA/dir").read()))
    ole.close()
    return [payload.decode("latin-1") for rid, payload in records if rid == 0x0016]


def check_presentation(label, path):
    """The checks that hold for any presentation with a VBA project; its modules, or None."""
    check(olefile.isOleFile(str(path)), label + ": olefile takes it for a compound file")
    ole = olefile.OleFileIO(str(path), raise_defects=olefile.DEFECT_INCORRECT)
    streams = ["/".join(entry) for entry in ole.listdir()]
    ole.close()
    check({"Current User", "PowerPoint Document"} <= set(streams),
          label + ": it holds the Current User and PowerPoint Document streams (%s)" % ", ".join(streams))
    try:
        modules = host_chain.read_modules(path)
    except host_chain.ChainError as error:
        check(False, label + ": the host's chain finds the VBA project: %s" % error)
        return None
    check(True, label + ": the host's chain finds the modules " + ", ".join(modules))
    return modules


def check_macro_search(source):
    """The launch step looks only where the user or the installer put the program."""
    body = re.search(r"Private Function SearchFolders\([^)]*\) As Collection(.*?)End Function", source, re.S)
    if not check(body is not None, "the macro has its SearchFolders function"):
        return
    added = re.findall(r"folders\.Add (.*)", body.group(1))
    check(len(added) == 5, "SearchFolders adds five folders: %s" % "; ".join(added))
    check(not re.search(r"Temp|FolderExists|Chr\$", body.group(1)),
          "SearchFolders looks in no drive root and no Temp folder")


def main():
    source_dir = Path(sys.argv[1])
    addin = source_dir / "resources" / "addin.ppa"
    reference = host_chain.reference_presentation(source_dir)
    sources = sorted((source_dir / "tools" / "addin").glob("*.bas"))

    if reference:
        reference_modules = check_presentation("PowerPoint's file", reference)
        check(reference_modules is not None and "Sub Action_Click" in reference_modules.get("Module1", ""),
              "PowerPoint's file: the chain finds Module1 and its Action_Click macro")
    modules = check_presentation("our add-in", addin) or {}
    check(sorted(modules) == sorted(p.stem for p in sources), "our add-in: one module per file of tools/addin")
    for p in sources:
        text = modules.get(p.stem, "")
        check(text.split("\r\n") == p.read_text(encoding="ascii").splitlines() + [""],
              "our add-in: the source of %s is the source in the tree, line for line with CR LF" % p.stem)

    storage = vba_project(addin)
    ole = olefile.OleFileIO(storage, raise_defects=olefile.DEFECT_INCORRECT)
    streams = sorted("/".join(path) for path in ole.listdir())
    expected = ["PROJECT", "PROJECTwm", "VBA/_VBA_PROJECT", "VBA/dir"] + ["VBA/" + p.stem for p in sources]
    check(streams == sorted(expected), "our VBA project holds its streams and one stream per module")
    check(ole.openstream("VBA/_VBA_PROJECT").read() == bytes.fromhex("CC61FFFF000000"),
          "_VBA_PROJECT says there is no compiled code to trust")
    project = ole.openstream("PROJECT").read().decode("cp1252")
    for p in sources:
        check("Module=%s\r\n" % p.stem in project, "PROJECT lists the module " + p.stem)
    ole.close()
    if reference:
        ours, powerpoints = reference_names(storage), reference_names(vba_project(reference))
        check(sorted(ours) == sorted(powerpoints),
              "our project references the libraries PowerPoint's own project does: %s" % ", ".join(ours))

    check_macro_search((source_dir / "tools" / "addin" / "HoravelToolbar.bas").read_text(encoding="ascii"))

    with tempfile.TemporaryDirectory() as folder:
        rebuilt = Path(folder) / "addin.ppa"
        subprocess.run([sys.executable, str(source_dir / "tools" / "make_addin.py"), "--output", str(rebuilt)],
                       check=True, stdout=subprocess.DEVNULL)
        check(rebuilt.read_bytes() == addin.read_bytes(), "tools/make_addin.py rebuilds the carried file byte for byte")

    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
