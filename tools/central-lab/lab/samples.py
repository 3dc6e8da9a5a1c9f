"""The sample data set of the laboratory, made for a given solar today.

Result files, the bill and the documents are written in code page 1256 with
CR LF line ends, as the central laboratory writes them.
"""
import datetime
import os

from . import documents, monthbill, solar

CRLF = "\r\n"
FIELD_END = "   "  # every field of a result line, the last one included, is followed by three spaces

PATIENTS = [
    # reference code, origin code, age, name, tests
    ("ABCDE12345XY", "120", "61", "فاطمه  گلي", ["Hb Electro=see document", "TSH=2.1", "FBS=95"]),
    ("2045", "77", "34", "محمد رضا کاظمي", ["FBS=95", "Chol=180", "HCV Qualitative=Negative"]),
    ("TRV0054321", "12", "5", "نوزاد پسر", ["CBC=normal"]),
    ("TRV0067890", "301", "29", "ژاله چمني", ["Double Marker=see document", "HCG=12000", "Pro.Elect=see document"]),
    ("TRV0011111", "302", "47", "علي اکبر پورحسيني", ["TG=140", "HDL=45", "LDL=110", "Cr=0.9", "Urea=30"]),
]

def _write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if isinstance(data, str):
        data = data.encode("cp1256")
    with open(path, "wb") as f:
        f.write(data)


def result_line(row, patient):
    ref, origin, age, name, tests = patient
    return "".join(field + FIELD_END for field in [str(row), ref, origin, age, name] + tests)


def document_key(ref):
    """Characters 6 to 10 of the reference code, or the whole code when shorter than 6."""
    return ref[5:10] if len(ref) >= 6 else ref


# The report lines of the tests that come as a document of their own.
REPORTS = {
    "Hb Electro": ["الکتروفورز هموگلوبين", "HbA: 97.2 %", "HbA2: 2.5 %", "HbF: 0.3 %", "تفسير: الگوي طبيعي"],
    "Pro.Elect": ["الکتروفورز پروتئين سرم", "Albumin: 58.1 %", "Alpha 1: 3.9 %", "Alpha 2: 10.2 %",
                  "Beta: 11.6 %", "Gamma: 16.2 %", "تفسير: در محدوده طبيعي"],
    "Double Marker": ["غربالگري سه ماهه اول بارداري", "PAPP-A: 1.12 MoM", "Free beta-hCG: 0.94 MoM",
                      "خطر تريزومي 21: پايين (1:5200)"],
}


def write_day(data_dir, folder, ymd, patients, documents):
    """Writes the day's result file; adds the day's test documents to `documents` ({path: layout text})."""
    lines = [result_line(i + 1, p) for i, p in enumerate(patients)]
    path = os.path.join(data_dir, "Text Result", folder, solar.compact(ymd) + ".txt")
    _write(path, CRLF.join(lines) + CRLF)
    year, month, _ = ymd
    for ref, origin, _, name, tests in patients:
        key = document_key(ref)
        names = [t.split("=")[0] for t in tests]
        places = {"Hb Electro": os.path.join(data_dir, "Text Result", folder, "%s_%sH.pdf" % (key, origin)),
                  "Pro.Elect": os.path.join(data_dir, "Text Result", folder, "%s_%sP.pdf" % (key, origin)),
                  "Double Marker": os.path.join(data_dir, "PDF Calvexa", "%02d-%d-%s.pdf" % (year % 100, month, key))}
        for test, place in places.items():
            if test in names:
                documents[place] = monthbill.document_tsv(LAB_NAME, test, " ".join(name.split()), ref, REPORTS[test])
        if "HCV Qualitative" in names:
            _write(os.path.join(data_dir, "PCR", "%d-HCVQL-%s.pptx" % (month, key)), b"PK\x03\x04 sample pptx")
    return path


def bill_record(state, period, amount):
    """A month record: state in column 1, the period from column 5, the amount ending by column 44."""
    label = ("  " + period).ljust(11)
    return (state + " " + label + " ").ljust(14) + str(amount).rjust(30)


def previous_month(year, month, count):
    for _ in range(count):
        month -= 1
        if month == 0:
            year, month = year - 1, 12
    return year, month


LAB_NAME = "آزمايشگاه نمونه مرکزي"


def month_amount(back, overdue):
    """The amount of the month `back` months before today (as the bill gives it)."""
    return 150000000 if back == (5 if overdue else 1) else 100000000 + back * 2500000


def bill_text(today, overdue):
    """Three settled months, then the first unpaid one: last month, or five months back when overdue."""
    year, month, _ = today
    first_unpaid = 5 if overdue else 1
    lines = [LAB_NAME, "22.00", "18", "1", "90"]
    for back in range(first_unpaid + 3, first_unpaid, -1):
        y, m = previous_month(year, month, back)
        lines.append(bill_record("1", "%04d-%02d" % (y, m), month_amount(back, overdue)))
    y, m = previous_month(year, month, first_unpaid)
    lines.append(bill_record("0", "%04d-%02d" % (y, m), month_amount(first_unpaid, overdue)))
    lines.append("")
    lines.append(bill_record("0", "2^%04d-%02d" % (y, m), 20000000))
    return CRLF.join(lines) + CRLF


def build(data_dir, folder, today_date, days=6, overdue=False):
    """Writes the data set for `today_date` (a datetime.date) and the days before it.
    Every second earlier day has no result file (no samples sent that day)."""
    today = solar.from_gregorian(today_date)
    written = []
    test_documents = {}
    for back in range(days):
        day = solar.from_gregorian(today_date - datetime.timedelta(days=back))
        if back % 2 == 1:
            continue
        patients = PATIENTS if back == 0 else PATIENTS[: 2 + back % 3]
        written.append(write_day(data_dir, folder, day, patients, test_documents))
    monthbill.write_documents(test_documents)
    base = os.path.join(data_dir, "Text Result", folder)
    _write(os.path.join(base, "bill.txt"), bill_text(today, overdue))
    for back in range(1, 4):
        y, m = previous_month(today[0], today[1], back)
        monthbill.write(os.path.join(base, "%04d-%02d.qrp" % (y, m)), LAB_NAME, y, m, month_amount(back, overdue))
    os.makedirs(os.path.join(base, "Res"), exist_ok=True)
    os.makedirs(os.path.join(base, "comments"), exist_ok=True)
    _write(os.path.join(data_dir, "Text Result", "PaymentLaw.rtf"), documents.payment_law_rtf())
    for name, text in documents.help_files().items():
        _write(os.path.join(data_dir, "Help Files", name), text)
    _write(os.path.join(data_dir, "Orvanet.exe"), b"MZ" + b"\0" * 60 + b"sample program " * 2000)
    os.makedirs(os.path.join(data_dir, "pay", "may"), exist_ok=True)
    return today, written
