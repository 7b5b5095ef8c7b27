#!/usr/bin/python3
"""Runs two readers of PowerPoint 97-2003 files that nobody here wrote on
PowerPoint's own file with a macro (first, as a positive control) and on our
add-in file (resources/addin.ppa, copied with a .ppt name):

- LibreOffice Impress, headless, with a private profile in which it loads
  PowerPoint Basic code and saves the original code back, opens both files as
  presentations and saves them again as 97-2003 files, in one start. It keeps
  a VBA project only when its importer found it through the document's own
  records, so the host's chain (host_chain.py) must find each file's modules,
  unchanged, in what it wrote.
- Apache POI's HSLF reader (PoiCheck.java, compiled when it runs) opens both
  as slide shows and finds the document, VBA info, persist directory and user
  edit records where the format puts them.

A reader whose Debian package is not installed is skipped with a message that
names the package; a reader that fails, fails the run.

Usage: tests/addin/check_readers.py SOURCE_DIR
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
from pathlib import Path

import host_chain
from check_addin import check, failures

TIMEOUT_SECONDS = 300
POI_JARS = ["poi", "poi-scratchpad", "commons-collections4", "commons-math3", "commons-codec",
            "commons-compress", "commons-io", "log4j-1.2"]
PROFILE = """<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema">
<item oor:path="/org.openoffice.Office.Impress/Filter/Import/VBA"><prop oor:name="Load" oor:op="fuse"><value>true</value></prop></item>
<item oor:path="/org.openoffice.Office.Impress/Filter/Import/VBA"><prop oor:name="Save" oor:op="fuse"><value>true</value></prop></item>
</oor:items>
"""

def start(command):
    """Starts a command in a process group of its own."""
    return subprocess.Popen(command, start_new_session=True, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, text=True)


def finish(process):
    """Waits for a started command; its status and output. Whatever is left of
    its process group (or all of it, when it overran) is ended by the group's id."""
    try:
        output, _ = process.communicate(timeout=TIMEOUT_SECONDS)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        output, _ = process.communicate()
        output += "\n(ended after %d s)" % TIMEOUT_SECONDS
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    return process.returncode, output


def modules_or_error(path):
    try:
        return host_chain.read_modules(path)
    except host_chain.ChainError as error:
        return "the host's chain fails: %s" % error


def libreoffice_round_trip(files, folder):
    soffice = shutil.which("soffice")
    if not soffice:
        print("SKIPPED LibreOffice round trip: soffice not found (Debian package libreoffice-impress)")
        return
    profile = folder / "profile"
    (profile / "user").mkdir(parents=True)
    (profile / "user" / "registrymodifications.xcu").write_text(PROFILE)
    output = folder / "libreoffice"
    status, log = finish(start([soffice, "--headless", "--norestore", "-env:UserInstallation=" + profile.as_uri(),
                                "--convert-to", "ppt", "--outdir", str(output)] + [str(f) for f in files]))
    if not check(status == 0, "LibreOffice converts both files in one start"):
        print(log)
    for given in files:
        written = output / given.name
        if not check(written.exists(), "LibreOffice saved %s again as a 97-2003 file" % given.name):
            continue
        before, after = modules_or_error(given), modules_or_error(written)
        check(isinstance(after, dict) and after == before,
              "the host's chain finds the same modules (%s) in LibreOffice's %s: %s"
              % (", ".join(before) if isinstance(before, dict) else before, given.name,
                 "the same" if after == before else after))


def start_poi_check(files, source_dir):
    """Starts the POI check; None when POI or Java is not installed."""
    java = shutil.which("java")
    jars = [Path("/usr/share/java/%s.jar" % name) for name in POI_JARS]
    missing = [str(jar) for jar in jars if not jar.exists()]
    if not java or missing:
        print("SKIPPED Apache POI check: %s missing (Debian packages libapache-poi-java, default-jdk-headless)"
              % ", ".join(missing + ([] if java else ["java"])))
        return None
    return start([java, "-cp", os.pathsep.join(str(jar) for jar in jars),
                  str(source_dir / "tests" / "addin" / "PoiCheck.java")] + [str(f) for f in files])


def finish_poi_check(process):
    status, log = finish(process)
    print(log.rstrip())
    check(status == 0, "Apache POI reads both files as the format says")


def main():
    source_dir = Path(sys.argv[1]).resolve()
    with tempfile.TemporaryDirectory(prefix="horavel-readers-") as temporary:
        folder = Path(temporary)
        given = folder / "given"
        given.mkdir()
        files = []
        reference = host_chain.reference_presentation(source_dir)
        if reference:
            files.append(given / "powerpoint-reference.ppt")
            shutil.copyfile(reference, files[-1])
        files.append(given / "horavel-addin.ppt")
        shutil.copyfile(source_dir / "resources" / "addin.ppa", files[-1])
        poi = start_poi_check(files, source_dir)  # it runs while LibreOffice does
        libreoffice_round_trip(files, folder)
        if poi:
            finish_poi_check(poi)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
