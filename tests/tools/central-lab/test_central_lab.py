"""The local central laboratory's pieces, without starting it."""
import contextlib
import datetime
import os
import struct
import subprocess
import tempfile
import unicodedata
import unittest

from lab import documents, samples, solar, sntp
from lab.faults import Faults
from lab.ftp import FaultyUpload, resolve_case


@contextlib.contextmanager
def without_the_layout_program():
    """The laboratory as run from a source tree whose programs were not built."""
    saved = os.environ.get("ORVANET_MONTH_BILL")
    os.environ["ORVANET_MONTH_BILL"] = "/nonexistent/month-bill"
    try:
        yield
    finally:
        if saved is None:
            del os.environ["ORVANET_MONTH_BILL"]
        else:
            os.environ["ORVANET_MONTH_BILL"] = saved


class ResolveCase(unittest.TestCase):
    def test_components_match_without_regard_to_case(self):
        with tempfile.TemporaryDirectory() as root:
            os.makedirs(os.path.join(root, "Help Files"))
            open(os.path.join(root, "Help Files", "LastRecommendation.rtf"), "w").close()
            want = os.path.join(root, "Help Files", "LastRecommendation.rtf")
            self.assertEqual(resolve_case(root, os.path.join(root, "help files", "lastrecommendation.RTF")), want)
            # A new file in an existing folder keeps its own name.
            self.assertEqual(resolve_case(root, os.path.join(root, "HELP FILES", "New.txt")),
                             os.path.join(root, "Help Files", "New.txt"))
            self.assertEqual(resolve_case(root, os.path.join(root, "nowhere", "x")), os.path.join(root, "nowhere", "x"))


class FaultCommands(unittest.TestCase):
    def test_commands_and_their_errors(self):
        f = Faults()
        self.assertEqual(f.apply("drop 300 /Text Result\\12\\"), "ok")
        self.assertEqual(f.data_limits("/text result/12/14010630.txt"), (300, None, 0))
        self.assertEqual(f.data_limits("/Help Files/x"), (None, None, 0))
        self.assertEqual(f.apply("stall RETR bill.txt"), "ok")
        self.assertTrue(f.stall_for("RETR", "/Text Result\\12\\BILL.TXT"))
        self.assertFalse(f.stall_for("RETR", "/Text Result\\12\\14010630.txt"))
        self.assertFalse(f.stall_for("STOR", "bill.txt"))
        self.assertEqual(f.apply("missing LastNormalValue"), "ok")
        self.assertTrue(f.is_missing("/Help Files/LastNormalValue.rtf"))
        self.assertEqual(f.apply("deny READ /comments"), "ok")
        self.assertTrue(f.is_denied("SIZE", "/Text Result/12/comments/x.txt"))
        self.assertFalse(f.is_denied("MDTM", "/Text Result/12/comments/x.txt"))
        self.assertFalse(f.is_denied("SIZE", "/Text Result/12/bill.txt"))
        self.assertEqual(f.apply("delay * 0.5"), "ok")
        self.assertEqual((f.delay_for("USER"), f.delay_for("PASS")), (0.5, 0.5))
        self.assertTrue(f.apply("deny WRITE x").startswith("error"))
        self.assertTrue(f.apply("drop many").startswith("error"))
        self.assertTrue(f.apply("sntp loud").startswith("error"))
        self.assertTrue(f.apply("fly").startswith("error"))
        self.assertEqual(f.apply("clock fixed 2022-09-21T09:00:00"), "ok")
        self.assertEqual(f.apply("reset"), "ok")
        self.assertIsNone(f.drop)
        self.assertFalse(f.is_denied("SIZE", "/Text Result/12/comments/x.txt"))
        self.assertFalse(f.stall_for("RETR", "bill.txt"))
        self.assertEqual(datetime.datetime.fromtimestamp(f.now()), datetime.datetime(2022, 9, 21, 9, 0))


class Uploads(unittest.TestCase):
    def test_a_dropped_upload_keeps_the_bytes_before_the_cut(self):
        with tempfile.TemporaryDirectory() as root:
            path = os.path.join(root, "today.txt")
            with open(path, "wb") as raw:
                f = FaultyUpload(raw, 10, None)
                f.write(b"12345")
                with self.assertRaises(OSError):
                    f.write(b"6789abcdef")
                f.close()
            with open(path, "rb") as kept:
                self.assertEqual(kept.read(), b"123456789a")
            with open(path, "wb") as raw:  # shorter than the cut: all of it arrives
                f = FaultyUpload(raw, 10, None)
                f.write(b"123456789")
                f.close()
            with open(path, "rb") as kept:
                self.assertEqual(kept.read(), b"123456789")


class TimeAnswers(unittest.TestCase):
    request = b"\x23" + b"\0" * 39 + b"ORIGINAL"

    def test_modes(self):
        good = sntp.answer(self.request, 1663750800.0, "ok")
        self.assertEqual(len(good), 48)
        self.assertEqual(good[0] & 7, 4)  # server mode
        self.assertEqual(good[1], 2)
        self.assertEqual(good[24:32], b"ORIGINAL")  # the request's transmit time as originate time
        self.assertEqual(struct.unpack("!I", good[40:44])[0], 1663750800 + sntp.NTP_EPOCH_OFFSET)
        self.assertIsNone(sntp.answer(self.request, 0, "silent"))
        self.assertIsNone(sntp.answer(b"\x23", 0, "ok"))
        self.assertEqual(len(sntp.answer(self.request, 0, "short")), 20)
        bad = sntp.answer(self.request, 1663750800.0, "invalid")
        self.assertEqual((bad[0] >> 6, bad[1], bad[40:48]), (3, 0, b"\0" * 8))
        old = sntp.answer(self.request, 1663750800.0, "old")
        seconds = struct.unpack("!I", old[40:44])[0] - sntp.NTP_EPOCH_OFFSET
        self.assertLess(solar.from_gregorian(datetime.datetime.utcfromtimestamp(seconds).date())[0], 1397)


class SolarDates(unittest.TestCase):
    def test_known_days(self):
        for gregorian, ymd in [((2022, 9, 21), (1401, 6, 30)), ((2024, 3, 20), (1403, 1, 1)),
                               ((2025, 3, 20), (1403, 12, 30)), ((2025, 3, 21), (1404, 1, 1)),
                               ((2018, 3, 21), (1397, 1, 1)), ((2026, 12, 8), (1405, 9, 17))]:
            self.assertEqual(solar.from_gregorian(datetime.date(*gregorian)), ymd)
            self.assertEqual(solar.to_gregorian(*ymd), datetime.date(*gregorian))


class SampleFiles(unittest.TestCase):
    def test_result_lines_and_bill_columns(self):
        with tempfile.TemporaryDirectory() as root:
            today, written = samples.build(root, "12", datetime.date(2022, 9, 21))
            self.assertEqual(today, (1401, 6, 30))
            self.assertTrue(written[0].endswith(os.path.join("Text Result", "12", "14010630.txt")))
            raw = open(written[0], "rb").read()
            self.assertTrue(raw.endswith(b"   \r\n"))
            lines = raw.decode("cp1256").split("\r\n")[:-1]
            self.assertEqual(len(lines), len(samples.PATIENTS))
            self.assertEqual(lines[1].split("   ")[:5], ["2", "2045", "77", "34", "محمد رضا کاظمي"])
            self.assertIn("   فاطمه  گلي   ", lines[0])  # a double space inside a name
            self.assertTrue(os.path.exists(os.path.join(root, "Text Result", "12", "12345_120H.pdf")))
            self.assertTrue(os.path.exists(os.path.join(root, "PDF Calvexa", "01-6-67890.pdf")))
            self.assertTrue(os.path.exists(os.path.join(root, "PCR", "6-HCVQL-2045.pptx")))
            self.assertFalse(os.path.exists(os.path.join(root, "Text Result", "12", "14010629.txt")))

            bill = open(os.path.join(root, "Text Result", "12", "bill.txt"), "rb").read().decode("cp1256")
            rows = bill.split("\r\n")
            self.assertEqual(rows[1:5], ["22.00", "18", "1", "90"])
            unpaid = next(r for r in rows[5:] if r.startswith("0"))
            self.assertEqual(unpaid[4:11], "1401-05")
            self.assertEqual(unpaid[14:44].strip(), "150000000")
            self.assertEqual(len(unpaid), 44)
            instalment = next(r for r in rows[5:] if "^" in r)
            self.assertEqual((instalment[4], instalment[5], instalment[6:13]), ("2", "^", "1401-05"))
            self.assertEqual(instalment[14:16], "  ")
            self.assertEqual(instalment[16:46].strip(), instalment[14:44].strip())


class ReferenceDocuments(unittest.TestCase):
    def test_documents_as_a_windows_word_processor_writes_them(self):
        normal = documents.normal_values_rtf()
        normal.encode("cp1256")  # plain bytes, no character outside the code page
        self.assertTrue(normal.startswith("{\\rtf1\\ansi\\ansicpg1256"))
        self.assertIn("\\'e3", normal)       # code page escapes...
        self.assertIn("\\u1605\\'e3", normal)  # ...and Unicode escapes with their fallback
        self.assertIn("\\trowd", normal)
        self.assertEqual(normal.count("{") , normal.count("}"))
        files = documents.help_files()
        self.assertTrue(any(" " in name for name in files))
        prices = files["LastPriceOfTests.txt"]
        self.assertIn("FBS   قند خون ناشتا   1,200,000\r\n", prices)

    def test_dos_listing_lines(self):
        with tempfile.TemporaryDirectory() as root:
            os.makedirs(os.path.join(root, "Old files"))
            with open(os.path.join(root, "a b.txt"), "wb") as f:
                f.write(b"12345")
            lines = list(documents.dos_list_lines(root, ["a b.txt", "Old files", "gone.txt"]))
            self.assertEqual(len(lines), 2)
            self.assertRegex(lines[0], r"^\d\d-\d\d-\d\d  \d\d:\d\d[AP]M +5 a b\.txt\r\n$")
            self.assertRegex(lines[1], r"^\d\d-\d\d-\d\d  \d\d:\d\d[AP]M       <DIR>          Old files\r\n$")

    def test_listing_command(self):
        f = Faults()
        self.assertEqual(f.apply("listing dos"), "ok")
        self.assertEqual(f.listing, "dos")
        self.assertTrue(f.apply("listing mac").startswith("error"))
        f.apply("reset")
        self.assertEqual(f.listing, "unix")


class MonthBills(unittest.TestCase):
    def test_rows_add_up_to_the_month_amount(self):
        from lab import monthbill
        rows = monthbill.rows(1401, 5, 150000000)
        self.assertEqual(sum(r[2] for r in rows), 150000000)
        self.assertTrue(all(r[0].startswith("1401/05/") and r[1] > 0 for r in rows))
        self.assertLessEqual(len(rows), 31)

    def test_every_published_month_is_a_pdf_even_without_the_layout_program(self):
        from lab import monthbill
        with without_the_layout_program(), tempfile.TemporaryDirectory() as root:
            samples.build(root, "12", datetime.date(2022, 9, 21))
            for key in ("1401-05", "1401-04", "1401-03"):
                data = open(os.path.join(root, "Text Result", "12", key + ".qrp"), "rb").read()
                self.assertTrue(data.startswith(b"%PDF"))
                self.assertEqual(data, open(monthbill.FALLBACK, "rb").read())


class TestDocuments(unittest.TestCase):
    """Each single test's document is a PDF a viewer opens: laid out by the
    month bills' program with the test, the patient and Persian lines, else the
    pre-rendered sample."""

    DOCUMENTS = [(os.path.join("Text Result", "12", "12345_120H.pdf"), "Hb Electro", "فاطمه گلي"),
                 (os.path.join("Text Result", "12", "67890_301P.pdf"), "Pro.Elect", "ژاله چمني"),
                 (os.path.join("PDF Calvexa", "01-6-67890.pdf"), "Double Marker", "ژاله چمني")]

    @staticmethod
    def text(path):
        out = subprocess.run(["pdftotext", path, "-"], capture_output=True, check=True).stdout.decode("utf-8")
        out = "".join(c for c in unicodedata.normalize("NFKC", out) if c not in "\u200e\u200f\u202a\u202b\u202c")
        return " ".join(out.split())

    def test_documents_are_pdfs_with_the_test_and_the_patient(self):
        from lab import monthbill
        if not monthbill.tool_path():
            self.skipTest("the layout program is not built")
        with tempfile.TemporaryDirectory() as root:
            samples.build(root, "12", datetime.date(2022, 9, 21))
            for path, test, patient in self.DOCUMENTS:
                text = self.text(os.path.join(root, path))
                self.assertIn(test, text)
                self.assertIn(patient, text)
                self.assertIn("آزمایشگاه مرجع تاروینا", text)

    def test_without_the_layout_program_the_sample_document(self):
        from lab import monthbill
        with without_the_layout_program(), tempfile.TemporaryDirectory() as root:
            samples.build(root, "12", datetime.date(2022, 9, 21))
            sample = open(monthbill.DOCUMENT_FALLBACK, "rb").read()
            for path, _, _ in self.DOCUMENTS:
                with open(os.path.join(root, path), "rb") as f:
                    self.assertEqual(f.read(), sample)
            self.assertIn("تاروینا", self.text(monthbill.DOCUMENT_FALLBACK))


if __name__ == "__main__":
    unittest.main()
