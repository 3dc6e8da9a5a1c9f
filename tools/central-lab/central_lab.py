#!/usr/bin/python3
"""Runs a local central laboratory: FTP server with sample data, SNTP responder,
payment page and a control channel for fault modes.

    central_lab.py [--data DIR] [--workspace DIR] [--ftp-port N] [--sntp-port N]
                   [--http-port N] [--control-port N] [--folder CODE]
                   [--clock fixed:ISO | offset:SECONDS] [--fault "COMMAND"]...

Ports default to free ones (0); the payment page defaults to port 81. When it is
ready it prints one "name=value" line per port and folder, then "ready", and runs
until SIGINT or SIGTERM.
"""
import argparse
import datetime
import logging
import os
import shutil
import signal
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from lab import ftp, samples  # noqa: E402
from lab.faults import Faults  # noqa: E402
from lab.log import LineLog  # noqa: E402
from lab.sntp import SntpServer  # noqa: E402
from lab.web import ControlChannel, PaymentPage  # noqa: E402

USER = "tarvinalab"
PASSWORD = "47120953"  # eight decimal digits, like the real account's


def write_settings(workspace, host, ports, sntp_timeout_ms, ca_file=None):
    os.makedirs(workspace, exist_ok=True)
    ftp_keys = ["[ftp]", "host=%s" % host, "port=%d" % ports["ftp_port"], "user=%s" % USER, "password=%s" % PASSWORD]
    if ca_file:
        ftp_keys += ["tls=try", "ca_file=%s" % ca_file]
    text = "\n".join(ftp_keys + [
        "",
        "[sntp]", "host=%s" % host, "port=%d" % ports["sntp_port"], "timeout_ms=%d" % sntp_timeout_ms, "",
        "[payment]", "host=%s" % host, "port=%d" % ports["http_port"], "",
    ])
    path = os.path.join(workspace, "orvanet.ini")
    tmp = path + ".tmp"
    # It holds the FTP password: readable by its owner alone.
    fd = os.open(tmp, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o600)
    os.fchmod(fd, 0o600)
    with os.fdopen(fd, "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(tmp, path)
    return path


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--data", help="FTP root; a temporary folder (removed at exit) when left out")
    parser.add_argument("--logs", help="folder of the command logs (default: beside --data, DATA-logs)")
    parser.add_argument("--fresh", action="store_true", help="rebuild the sample data even if --data has some")
    parser.add_argument("--workspace", help="write the client's orvanet.ini into this folder")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--ftp-port", type=int, default=0)
    parser.add_argument("--sntp-port", type=int, default=0)
    parser.add_argument("--http-port", type=int, default=81)
    parser.add_argument("--control-port", type=int, default=0)
    parser.add_argument("--folder", default="12", help="laboratory folder code of the sample data")
    parser.add_argument("--days", type=int, default=6, help="days of sample results, today included")
    parser.add_argument("--overdue", action="store_true", help="make the bill overdue")
    parser.add_argument("--sntp-timeout-ms", type=int, default=3000)
    parser.add_argument("--clock", default="real", help="real, fixed:2022-09-21T09:00:00 or offset:SECONDS")
    parser.add_argument("--tls", action="store_true",
                        help="offer FTP over TLS (AUTH TLS) with a certificate made for --host at start")
    parser.add_argument("--tls-required", action="store_true",
                        help="like --tls, and refuse log-ins and data connections without TLS")
    parser.add_argument("--unix", action="store_true",
                        help="names as a Unix FTP server takes them: case-sensitive, \\ a letter (553), "
                             "a LIST argument split at spaces")
    parser.add_argument("--fault", action="append", default=[], help="a control command, e.g. \"login refuse\"")
    args = parser.parse_args()

    quiet = logging.StreamHandler(sys.stderr)
    quiet.setLevel(logging.WARNING)
    logging.getLogger("pyftpdlib").addHandler(quiet)
    logging.getLogger("pyftpdlib").setLevel(logging.WARNING)
    faults = Faults()
    kind, _, value = args.clock.partition(":")
    for command in ["clock %s %s" % (kind, value)] + args.fault:
        reply = faults.apply(command)
        if reply != "ok":
            sys.exit("central-lab: %s: %s" % (command, reply))

    own_data = args.data is None
    if own_data:
        base = tempfile.mkdtemp(prefix="central-lab-")
        data_dir, logs_dir = os.path.join(base, "root"), os.path.join(base, "logs")
    else:
        base = None
        data_dir = os.path.abspath(args.data)
        logs_dir = os.path.abspath(args.logs) if args.logs else data_dir.rstrip(os.sep) + "-logs"
    os.makedirs(data_dir, exist_ok=True)
    if args.fresh or not os.path.exists(os.path.join(data_dir, "Text Result")):
        today_date = datetime.datetime.fromtimestamp(faults.now()).date()
        samples.build(data_dir, args.folder, today_date, args.days, args.overdue)
    os.makedirs(logs_dir, exist_ok=True)
    ftp_log = LineLog(os.path.join(logs_dir, "ftp-commands.log"))
    other_log = LineLog(os.path.join(logs_dir, "requests.log"))

    tls = None
    ca_file = None
    if args.tls or args.tls_required:
        from lab import tls as lab_tls
        # The authority goes beside orvanet.ini when there is one, else beside the logs.
        ca_file, server_pem = lab_tls.make_certificates(args.workspace or logs_dir, logs_dir, args.host)
        tls = {"certfile": server_pem, "required": args.tls_required}

    servers = []
    try:
        ftp_server = ftp.make_server(data_dir, USER, PASSWORD, faults, ftp_log, args.ftp_port, args.host, tls,
                                     args.unix)
        sntp = SntpServer(faults, other_log, args.sntp_port, args.host)
        page = PaymentPage(other_log, args.http_port, args.host)
        control = ControlChannel(faults, other_log, args.control_port, args.host)
    except OSError as err:
        sys.exit("central-lab: cannot listen: %s" % err)
    for s in (sntp, page, control):
        s.start()
        servers.append(s)

    ports = {"ftp_port": ftp_server.address[1], "sntp_port": sntp.port,
             "http_port": page.port, "control_port": control.port}
    print("host=%s" % args.host)
    for name, port in ports.items():
        print("%s=%d" % (name, port))
    print("user=%s" % USER)
    print("password=%s" % PASSWORD)
    print("sntp_timeout_ms=%d" % args.sntp_timeout_ms)
    print("folder=%s" % args.folder)
    print("access_code=%d" % (947 * (int(args.folder) + 1)))
    print("data=%s" % data_dir)
    print("ftp_log=%s" % os.path.join(logs_dir, "ftp-commands.log"))
    print("requests_log=%s" % os.path.join(logs_dir, "requests.log"))
    print("tls=%s" % ("required" if args.tls_required else "on" if tls else "off"))
    print("names=%s" % ("unix" if args.unix else "windows"))
    if ca_file:
        print("ca_file=%s" % ca_file)
    if args.workspace:
        print("settings=%s" % write_settings(args.workspace, args.host, ports, args.sntp_timeout_ms, ca_file))
    print("ready", flush=True)

    def stop(signum, frame):
        raise KeyboardInterrupt

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    try:
        ftp_server.serve_forever(timeout=0.2, blocking=True, handle_exit=False)
    except KeyboardInterrupt:
        pass
    finally:
        ftp.STOP.set()
        ftp_server.close_all()
        for s in servers:
            s.stop()
        ftp_log.close()
        other_log.close()
        if base:
            shutil.rmtree(base, ignore_errors=True)
    return 0


if __name__ == "__main__":
    time.tzset()
    sys.exit(main())
