"""Itemised month bills ("<YYYY-MM>.qrp"): one PDF page per month with the days
samples were sent, their sample counts and amounts, laid out by Orvanet's own
month-bill program (tools/month-bill). Without that program (a laboratory run
from a source tree that was not built) the pre-rendered sample in data/ is
published instead, so every month still has a bill that opens."""
import os
import random
import subprocess
import tempfile

from . import solar

_HERE = os.path.dirname(os.path.abspath(__file__))
_SOURCE = os.path.abspath(os.path.join(_HERE, "..", "..", ".."))
FALLBACK = os.path.join(_HERE, "..", "data", "month-bill.qrp")
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


def write(path, lab_name, year, month, amount):
    """Writes the month's bill at `path`; True when laid out, False when the sample was copied."""
    tool = tool_path()
    if tool:
        with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".tsv", delete=False) as f:
            f.write(tsv(lab_name, year, month, amount))
            source = f.name
        try:
            done = subprocess.run([tool, source, path], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                  timeout=60).returncode == 0
        except (OSError, subprocess.TimeoutExpired):
            done = False
        finally:
            os.unlink(source)
        if done and os.path.getsize(path) > 0:
            return True
    with open(FALLBACK, "rb") as f:
        data = f.read()
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)
    return False
