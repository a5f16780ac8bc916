#!/usr/bin/env python3
"""Writes the three sample disc trees under samples/: a service disc with three jobs,
a software disc made for one job, and a generic software disc. Every file is made up
here; the documents are tiny one-page PDFs.

    tools/make-samples.py [SAMPLES-FOLDER]
"""
import os
import shutil
import sys


def pdf(title, lines):
    """A one-page PDF that shows a title and a few lines of text."""
    text = ["BT /F1 18 Tf 72 760 Td (%s) Tj ET" % title]
    y = 730
    for line in lines:
        text.append("BT /F1 11 Tf 72 %d Td (%s) Tj ET" % (y, line))
        y -= 16
    stream = "\n".join(text).encode("latin-1")
    objects = [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R "
        b"/Resources << /Font << /F1 5 0 R >> >> >>",
        b"<< /Length %d >>\nstream\n" % len(stream) + stream + b"\nendstream",
        b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    ]
    out = bytearray(b"%PDF-1.4\n")
    offsets = []
    for number, body in enumerate(objects, start=1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for offset in offsets:
        out += b"%010d 00000 n \n" % offset
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
    return bytes(out)


def write(root, path, content):
    full = os.path.join(root, *path.split("/"))
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write(content if isinstance(content, bytes) else content.encode("utf-8"))


def crlf(*lines):
    return "".join(line + "\r\n" for line in lines)


def placeholder(name):
    return "Placeholder for %s on a Tidewell sample disc.\r\n" % name


def con_file(serial, model="Shoal 7"):
    return crlf("[Instrument]", "Type=%s" % model, "Serial=%s" % serial,
                "[Sensors]", "Temperature=1", "Conductivity=1", "Pressure=1")


def cal_file(serial):
    return crlf("SERIALNO=%s" % serial, "TA0=1.2345e-003", "TA1=2.6789e-004",
                "TA2=-1.1e-006", "CG=-1.0123e+000", "CH=1.4567e-001")


def software(root):
    """The software folder's contents: installers, manuals, the web site, the DOS tools."""
    write(root, "brinext-win32_7.16.exe", placeholder("the Brinext for Windows installer"))
    write(root, "BrinextSwell_2.1.exe", placeholder("the Brinext Swell for Windows installer"))
    write(root, "quaylog_5.30.pdf", pdf("Quaylog Win32 Manual", ["Version 5.30", "Sample manual."]))
    write(root, "quaylog_7.2.pdf", pdf("Quaylog v7 Manual", ["Version 7.2", "Sample manual."]))
    write(root, "TWLDATAPROCESSING_7.16.pdf",
          pdf("TWL Data Processing Manual", ["Version 7.16", "Sample manual."]))
    write(root, "TWL Battery Budget Calculator.xls", placeholder("the battery budget calculator"))
    write(root, "CDContentsAndInstallation.pdf",
          pdf("Contents and Installation", ["What is on this disc and how to install it."]))
    write(root, "calpush.exe", placeholder("CALPUSH"))
    write(root, "website/index.htm",
          "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Tidewell Electronics"
          "</title></head>\n<body><h1>Tidewell Electronics, Inc.</h1>\n<p>Sensing the Sea."
          "</p>\n<p><a href=\"products.htm\">Products</a></p></body></html>\n")
    write(root, "website/products.htm",
          "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Products</title>"
          "</head>\n<body><h1>Products</h1><ul><li>Shoal 7 profiler</li>"
          "<li>Squall O2 oxygen sensor</li><li>Quaylog</li></ul>\n<p><a href=\"index.htm\">Home</a></p></body></html>\n")
    write(root, "progsoftware/prog16.exe", placeholder("PROG16"))
    write(root, "progsoftware/prog19.exe", placeholder("PROG19"))
    write(root, "progsoftware/readme.txt", crlf("Run PROG16 or PROG19 with the instrument connected."))
    write(root, "Adobe Acrobat/rp505enu.exe", placeholder("the reader installer"))
    write(root, "brinext.dos/binstall.bat",
          crlf("@echo off", "echo Installing Quaylog for DOS into %CD%", "bx7310d1.exe", "bx7310d2.exe"))
    write(root, "brinext.dos/bx7310d1.exe", placeholder("Quaylog for DOS, disk 1"))
    write(root, "brinext.dos/bx7310d2.exe", placeholder("Quaylog for DOS, disk 2"))
    write(root, "brinext.dos/Brinext_7.310Rev01-09.pdf", pdf("Brinext 7.310 for DOS", ["Rev 01-09"]))
    write(root, "bxswell.dos/SETUP31.BAT",
          crlf("@echo off", "echo Installing Brinext swell for DOS into %CD%", "B318205.EXE"))
    write(root, "bxswell.dos/B318205.EXE", placeholder("Brinext swell for DOS"))
    write(root, "bxswell.dos/DEMO/DEMO1.DAT", crlf("Sample wave record 1"))
    write(root, "bxswell.dos/DEMO/WAVES/DEMO2.DAT", crlf("Sample wave record 2"))


def instrument_files(root, serial):
    write(root, "Shoal7_%s.con" % serial, con_file(serial))
    write(root, "Shoal7_%s.cal" % serial, cal_file(serial))
    write(root, "SquallO2_%s.CON" % serial, con_file(serial + "-O2", "Squall O2"))
    write(root, "Deck Unit.ini", crlf("[Deck]", "Baud=9600", "Port=COM1"))
    write(root, "Shoal7 manual.pdf", pdf("Shoal 7 Manual", ["Sample instrument manual."]))


def service_disc(root):
    write(root, "autorun/version", crlf("7.16"))
    job = "1001_CD_Contents/"
    write(root, job + "service Report.pdf", pdf("Service Report 1001", ["Serviced: Shoal 7 4321."]))
    write(root, job + "calibration documents/Shoal7 4321 temperature.pdf",
          pdf("Calibration 4321", ["Temperature calibration."]))
    write(root, job + "configuration documents/Shoal7 4321 configuration.pdf",
          pdf("Configuration 4321", ["Configuration sheet."]))
    write(root, job + "con & ini files/Shoal7_4321.con", con_file("4321"))
    write(root, job + "con & ini files/Deck Unit.ini", crlf("[Deck]", "Baud=9600"))
    write(root, job + "recovered data/cast0001.hex", crlf("* Sample cast", "0A1B2C3D"))
    job = "1002_CD_Contents/"
    write(root, job + "SERVICE REPORT.PDF", pdf("Service Report 1002", ["Serviced: Squall O2 0815."]))
    write(root, job + "calibration documents/SquallO2 0815 oxygen.pdf",
          pdf("Calibration 0815", ["Oxygen calibration."]))
    write(root, "1003_CD_Contents/notes.txt", crlf("Job 1003: instrument returned without documents."))
    components = "CD Current Version (7.16)/Components"
    software(os.path.join(root, *components.split("/")))
    instrument_files(os.path.join(root, *components.split("/")), "4321")


def software_job_disc(root):
    write(root, "autorun/version", crlf("7.16"))
    write(root, "A17.job", crlf("7.16", "March 2007"))
    software(root)
    instrument_files(root, "1717")


def generic_disc(root):
    write(root, "autorun/version", crlf("7.16"))
    software(root)


def main():
    samples = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "samples")
    for name, make in (("service-disc", service_disc), ("software-job-disc", software_job_disc),
                       ("generic-disc", generic_disc)):
        root = os.path.join(samples, name)
        shutil.rmtree(root, ignore_errors=True)
        make(root)


if __name__ == "__main__":
    main()
