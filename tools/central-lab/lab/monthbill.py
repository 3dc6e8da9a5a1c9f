"""Itemised month bills ("<YYYY-MM>.qrp"): one PDF page per month with the days
samples were sent, their sample counts and amounts, laid out by Orvanet's own
month-bill program (tools/month-bill); the single tests' documents (PDF) are
laid out by the same program. Without that program (a laboratory run from a
source tree that was not built) the pre-rendered samples in data/ are
published instead, so every month still has a bill and every test a document
that opens."""
import os
import random
import subprocess
import tempfile

from . import solar

_HERE = os.path.dirname(os.path.abspath(__file__))
_SOURCE = os.path.abspath(os.path.join(_HERE, "..", "..", ".."))
FALLBACK = os.path.join(_HERE, "..", "data", "month-bill.qrp")
DOCUMENT_FALLBACK = os.path.join(_HERE, "..", "data", "test-document.pdf")
PRICE_PER_SAMPLE = 250000  # rials


def tool_path():
    """ORVANET_MONTH_BILL (a path), else the program in the source tree's build folder."""
    given = os.environ.get("ORVANET_MONTH_BILL")
    if given:
        return given if os.access(given, os.X_OK) else None
    built = os.path.join(_SOURCE, "build", "tools", "month-bill", "month-bill")
    return built if os.access(built, os.X_OK) else None


def _grouped(n):
    return "{:,}".format(n)


def rows(year, month, amount, seed=0):
    """Days of the month with samples (not Fridays' worth: every day but a few),
    sample counts and amounts adding up to `amount`."""
    rng = random.Random("%d-%d-%d" % (year, month, seed))
    days = [d for d in range(1, solar.month_length(year, month) + 1) if rng.random() > 0.2]
    counts = [rng.randint(3, 40) for _ in days]
    weights = sum(counts)
    amounts = [amount * c // weights for c in counts]
    amounts[-1] += amount - sum(amounts)
    return [(solar.text((year, month, d)), c, a) for d, c, a in zip(days, counts, amounts)]


def tsv(lab_name, year, month, amount):
    lines = ["title\tصورت حساب ماهانه آزمایشات ارسالی", "lab\t%s" % lab_name,
             "month\t%04d-%02d" % (year, month)]
    for date, count, value in rows(year, month, amount):
        lines.append("row\t%s\t%d\t%s" % (date, count, _grouped(value)))
    lines.append("total\t%s" % _grouped(amount))
    return "\n".join(lines) + "\n"


def _lay_out(pairs):
    """Runs the layout program once on [(tsv text, output path)]; True when every output was written."""
    tool = tool_path()
    if not tool or not pairs:
        return False
    sources = []
    try:
        args = [tool]
        for text, path in pairs:
            with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".tsv", delete=False) as f:
                f.write(text)
                sources.append(f.name)
            args += [f.name, path]
        done = subprocess.run(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60).returncode == 0
    except (OSError, subprocess.TimeoutExpired):
        done = False
    finally:
        for source in sources:
            os.unlink(source)
    return done and all(os.path.exists(path) and os.path.getsize(path) > 0 for _, path in pairs)


def _copy(source, path):
    with open(source, "rb") as f:
        data = f.read()
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def write(path, lab_name, year, month, amount):
    """Writes the month's bill at `path`; True when laid out, False when the sample was copied."""
    if _lay_out([(tsv(lab_name, year, month, amount), path)]):
        return True
    _copy(FALLBACK, path)
    return False


def document_tsv(lab_name, test, patient, code, lines):
    rows = ["title\t" + test, "lab\t" + lab_name, "patient\t" + patient, "code\t" + code]
    return "\n".join(rows + ["line\t" + line for line in lines]) + "\n"


def write_documents(documents):
    """Writes single tests' documents, {path: tsv text}, with one run of the program
    (a text shared by several paths is laid out once); without it, the sample."""
    made = {}
    for path, text in documents.items():
        made.setdefault(text, []).append(path)
    pairs = [(text, paths[0]) for text, paths in made.items()]
    for path in documents:
        os.makedirs(os.path.dirname(path), exist_ok=True)
    if not _lay_out(pairs):
        for path in documents:
            _copy(DOCUMENT_FALLBACK, path)
        return False
    for paths in made.values():
        for path in paths[1:]:
            _copy(paths[0], path)
    return True
