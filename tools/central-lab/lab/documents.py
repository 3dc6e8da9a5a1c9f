"""The reference documents the central laboratory publishes: normal values and
payment rules and the current recommendation in RTF as a Windows word
processor writes them (code page 1256, Persian in both \\'hh escapes and \\uN
escapes), the price list as code page 1256 text, and the "Help Files" folder.
"""
import os
import time

CRLF = "\r\n"

RTF_HEAD = (
    "{\\rtf1\\ansi\\ansicpg1256\\deff0\\deflang1065"
    "{\\fonttbl{\\f0\\fnil\\fcharset178 Tahoma;}{\\f1\\fswiss\\fcharset0 Arial;}"
    "{\\f2\\froman\\fprq2\\fcharset178{\\*\\panose 02020603050405020304}Times New Roman;}}"
    "{\\colortbl ;\\red0\\green0\\blue128;\\red192\\green0\\blue0;\\red0\\green128\\blue0;}"
    "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\f1\\fs20 Normal;}}"
    "{\\info{\\title Tarvina}{\\author Tarvina Central Laboratory}}"
    "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1"
    "\\paperw11906\\paperh16838\\margl1134\\margr1134" + CRLF
)

# Normal values: test, unit, range, Persian name (as the result grid names the tests).
NORMAL_VALUES = [
    ("FBS", "mg/dL", "70 - 100", "قند خون ناشتا"),
    ("TSH", "mIU/L", "0.4 - 4.0", "هورمون محرک تيروئيد"),
    ("Chol", "mg/dL", "< 200", "کلسترول"),
    ("TG", "mg/dL", "< 150", "تري گليسريد"),
    ("HDL", "mg/dL", "> 40", "اچ دي ال"),
    ("LDL", "mg/dL", "< 130", "ال دي ال"),
    ("Cr", "mg/dL", "0.6 - 1.3", "کراتينين"),
    ("Urea", "mg/dL", "15 - 45", "اوره"),
    ("CBC", "-", "see report", "شمارش کامل سلول هاي خون"),
    ("HCG", "mIU/mL", "< 5", "گنادوتروپين جفتي"),
    ("Hb Electro", "%", "HbA 95 - 98", "الکتروفورز هموگلوبين"),
    ("HCV Qualitative", "-", "Negative", "هپاتيت سي کيفي"),
]

PRICES = [
    ("FBS", "قند خون ناشتا", 1200000),
    ("TSH", "هورمون محرک تيروئيد", 4500000),
    ("Chol", "کلسترول", 1300000),
    ("TG", "تري گليسريد", 1350000),
    ("HDL", "اچ دي ال", 1500000),
    ("LDL", "ال دي ال", 1500000),
    ("Cr", "کراتينين", 1100000),
    ("Urea", "اوره", 1100000),
    ("CBC", "شمارش کامل سلول هاي خون", 2500000),
    ("HCG", "گنادوتروپين جفتي", 5200000),
    ("Hb Electro", "الکتروفورز هموگلوبين", 18500000),
    ("HCV Qualitative", "هپاتيت سي کيفي", 28000000),
]


def _ascii(ch):
    if ch in "\\{}":
        return "\\" + ch
    return ch


def hex_escapes(text):
    """Text as a word processor writes it for a code page 1256 font: \\'hh for
    each byte, \\uN with a "?" fallback for what the code page lacks."""
    out = []
    for ch in text:
        if ord(ch) < 0x80:
            out.append(_ascii(ch))
            continue
        try:
            out.extend("\\'%02x" % b for b in ch.encode("cp1256"))
        except UnicodeEncodeError:
            out.append("\\u%d?" % _signed(ord(ch)))
    return "".join(out)


def unicode_escapes(text):
    """Every letter beyond ASCII as \\uN followed by its code page byte as fallback."""
    out = []
    for ch in text:
        if ord(ch) < 0x80:
            out.append(_ascii(ch))
            continue
        try:
            fallback = "".join("\\'%02x" % b for b in ch.encode("cp1256"))
        except UnicodeEncodeError:
            fallback = "?"
        out.append("\\u%d%s" % (_signed(ord(ch)), fallback))
    return "".join(out)


def _signed(code):
    return code - 65536 if code > 32767 else code


def rtl_par(text, escape=hex_escapes, bold=False, size=20, color=0, align="qr"):
    b = "\\b " if bold else ""
    b_end = "\\b0 " if bold else ""
    cf = "\\cf%d " % color if color else ""
    return ("\\pard\\rtlpar\\%s\\f0\\rtlch\\fs%d %s%s%s%s\\cf0\\par" % (align, size, cf, b, escape(text), b_end)) + CRLF


def ltr_par(text, bold=False, size=20, color=0, align="ql"):
    b = "\\b " if bold else ""
    b_end = "\\b0 " if bold else ""
    cf = "\\cf%d " % color if color else ""
    return ("\\pard\\ltrpar\\%s\\f1\\ltrch\\fs%d %s%s%s%s\\cf0\\par" % (align, size, cf, b, _escape_ascii(text), b_end)) + CRLF


def _escape_ascii(text):
    return "".join(_ascii(ch) for ch in text)


def table_row(cells, widths):
    x = 0
    defs = []
    for w in widths:
        x += w
        defs.append("\\clbrdrt\\brdrs\\clbrdrl\\brdrs\\clbrdrb\\brdrs\\clbrdrr\\brdrs\\cellx%d" % x)
    body = "".join("\\pard\\intbl\\ql %s\\cell " % c for c in cells)
    return "\\trowd\\trgaph108\\trleft-108" + "".join(defs) + " " + body + "\\row" + CRLF


def normal_values_rtf():
    parts = [RTF_HEAD]
    parts.append(rtl_par("مقادير طبيعي آزمايش ها - آزمايشگاه مرجع تاروینا", bold=True, size=28, color=1,
                         align="qc"))
    parts.append(ltr_par("Tarvina Central Laboratory - Normal Values (adults)", bold=True, size=24, align="qc"))
    parts.append(rtl_par("مقادير زير براي بزرگسالان است و براي کودکان با پزشک مشورت کنيد.",
                         escape=unicode_escapes))
    parts.append("\\pard\\par" + CRLF)
    parts.append(table_row(["\\b Test\\b0", "\\b Unit\\b0", "\\b Normal range\\b0", "\\b " + hex_escapes("نام آزمايش") + "\\b0"],
                           [2200, 1400, 2200, 3400]))
    for i, (test, unit, rng, fa) in enumerate(NORMAL_VALUES):
        escape = hex_escapes if i % 2 == 0 else unicode_escapes
        parts.append(table_row([_escape_ascii(test), _escape_ascii(unit), _escape_ascii(rng),
                                "\\rtlch " + escape(fa)], [2200, 1400, 2200, 3400]))
    parts.append("\\pard\\par" + CRLF)
    parts.append(rtl_par("نمونه ها بايد در دماي ۴ درجه نگهداري شوند.", escape=unicode_escapes, color=2))
    parts.append(ltr_par("Values in bold are critical; report them at once.", size=18))
    parts.append("{\\*\\userprops {\\propname Source}\\proptype30{\\staticval Tarvina}}" + CRLF)
    parts.append("}")
    return "".join(parts)


def payment_law_rtf():
    parts = [RTF_HEAD]
    parts.append(rtl_par("قوانين پرداخت", bold=True, size=28, color=1, align="qc"))
    rules = [
        "۱- صورتحساب هر ماه تا پايان ماه بعد قابل پرداخت است.",
        "۲- پرداخت پيش از موعد مشمول تخفيف خوش حسابي مي شود.",
        "۳- در صورت گذشتن بيش از ۹۰ روز از موعد، دسترسي برنامه محدود مي گردد.",
        "۴- تخفيف حجم نمونه بر اساس تعداد نمونه هاي ماهانه محاسبه مي شود.",
    ]
    for i, rule in enumerate(rules):
        parts.append(rtl_par(rule, escape=hex_escapes if i % 2 else unicode_escapes))
    parts.append(ltr_par("Payment within 90 days of the month's end.", size=18))
    parts.append("}")
    return "".join(parts)


def recommendation_rtf(number=18):
    parts = [RTF_HEAD]
    parts.append(rtl_par("توصيه شماره %d" % number, bold=True, size=26, color=2, align="qc"))
    parts.append(rtl_par("نمونه هاي سرم را حداکثر ۲ ساعت پس از نمونه گيري سانتريفيوژ کنيد.",
                         escape=unicode_escapes))
    parts.append(ltr_par("Recommendation %d: keep samples at 4 degrees." % number))
    parts.append("{\\pict\\wmetafile8\\picw100\\pich100 0100090000034e00000000002800000000000400}" + CRLF)
    parts.append("}")
    return "".join(parts)


def price_list_text():
    lines = ["ليست قيمت آزمايش ها (ريال)", ""]
    for test, fa, price in PRICES:
        lines.append("%s   %s   %s" % (test, fa, "{:,}".format(price)))
    return CRLF.join(lines) + CRLF


def help_files():
    """File name -> content (str: written in code page 1256; bytes as they are)."""
    return {
        "LastRecommendation.rtf": recommendation_rtf(),
        "LastNormalValue.rtf": normal_values_rtf(),
        "LastPriceOfTests.txt": price_list_text(),
        "Sample transport guide.pdf": b"%PDF-1.4\n% sample transport guide\n" + b"x" * 3000 + b"\n%%EOF\n",
        "Working hours.txt": "Saturday to Thursday, 7:00 to 19:00" + CRLF,
        "Cold chain rules for   samples.rtf": payment_law_rtf().replace("قوانين پرداخت", "زنجيره سرد"),
    }


def dos_list_lines(basedir, names):
    """A folder listing in the MS-DOS format of a Windows server."""
    for name in names:
        path = os.path.join(basedir, name)
        try:
            st = os.stat(path)
        except OSError:
            continue
        stamp = time.strftime("%m-%d-%y  %I:%M%p", time.localtime(st.st_mtime))
        if os.path.isdir(path):
            yield "%s       <DIR>          %s\r\n" % (stamp, name)
        else:
            yield "%s %20d %s\r\n" % (stamp, st.st_size, name)
