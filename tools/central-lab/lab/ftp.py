"""The laboratory's FTP server: a Windows-like file system on pyftpdlib.

Like the central laboratory's Windows server it takes "\\" and "/" as separators
and matches names without regard to case. In its Unix mode it behaves as the
common Unix servers do instead: names are case-sensitive, "\\" is a letter of a
name and a name holding one is refused (553), and a LIST argument is split at
its spaces. Every command line it receives is logged (the password masked) so
tests can see the exact paths a client sent.
"""
import errno
import os
import threading
import time

from pyftpdlib.authorizers import AuthenticationFailed, DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import (BufferedIteratorProducer, FTPHandler, ThrottledDTPHandler, TLS_DTPHandler,
                                TLS_FTPHandler)
from pyftpdlib.servers import ThreadedFTPServer

from . import documents

STOP = threading.Event()
# A stalled transfer gives up after this long so the server can still stop.
STALL_LIMIT_S = 120
# Commands whose argument is a path (a Unix server refuses a name with "\\" in it).
PATH_COMMANDS = {"RETR", "STOR", "APPE", "SIZE", "MDTM", "CWD", "LIST", "NLST", "MLSD", "MLST", "DELE", "MKD", "RMD",
                 "RNFR", "RNTO", "STAT"}


def resolve_case(root, path):
    """Maps each component of `path` below `root` to the entry on disk whose name
    equals it without regard to case; components that do not exist stay as given."""
    rel = os.path.relpath(path, root)
    if rel == ".":
        return path
    current = root
    parts = rel.split(os.sep)
    for i, part in enumerate(parts):
        exact = os.path.join(current, part)
        if os.path.exists(exact):
            current = exact
            continue
        try:
            entries = os.listdir(current)
        except OSError:
            return os.path.join(current, *parts[i:])
        folded = part.casefold()
        match = next((e for e in entries if e.casefold() == folded), None)
        if match is None:
            return os.path.join(current, *parts[i:])
        current = os.path.join(current, match)
    return current


class _Wrapped:
    """A file of a data connection that the laboratory stands between."""

    def __init__(self, f):
        self._f = f
        self.name = f.name
        self.mode = f.mode

    @property
    def closed(self):
        return self._f.closed

    def close(self):
        self._f.close()


class _CutData(_Wrapped):
    """A file on a data connection that drops or stalls after some bytes."""

    def __init__(self, f, drop_after, stall_after, still_stalled=lambda: True):
        super().__init__(f)
        self._still_stalled = still_stalled
        self._drop = drop_after
        self._stall = stall_after
        self._moved = 0

    def _limit(self):
        return min(x for x in (self._drop, self._stall, float("inf")) if x is not None)

    def _cut(self):
        """At the limit: a stall keeps silent (while the fault lasts), then the connection drops."""
        if self._stall is not None and self._moved >= self._stall:
            deadline = time.monotonic() + STALL_LIMIT_S
            while not STOP.is_set() and time.monotonic() < deadline and self._still_stalled():
                time.sleep(0.1)
        raise OSError(errno.ECONNRESET, "data connection dropped by the laboratory")


class FaultyFile(_CutData):
    """A read-only file whose data connection drops or stalls after some bytes,
    or which is sent slowly. It has no fileno(), so sendfile() is not used."""

    def __init__(self, f, drop_after, stall_after, rate, still_stalled=lambda: True):
        super().__init__(f, drop_after, stall_after, still_stalled)
        self._rate = rate

    def read(self, size=-1):
        limit = self._limit()
        if self._moved >= limit:
            self._cut()
        if size is None or size < 0:
            size = 65536
        if self._rate:
            # a tenth of a second's worth at a time
            time.sleep(0.1)
            size = min(size, max(1, self._rate // 10))
        size = int(min(size, limit - self._moved))
        chunk = self._f.read(size)
        self._moved += len(chunk)
        return chunk

    def seek(self, *args):
        return self._f.seek(*args)

    def tell(self):
        return self._f.tell()


class FaultyUpload(_CutData):
    """A file being received whose data connection drops or stalls once that
    many bytes have come: the bytes before are kept, as a server keeps the part
    of an upload it received."""

    def write(self, chunk):
        limit = self._limit()
        if self._moved + len(chunk) < limit:
            self._moved += len(chunk)
            return self._f.write(chunk)
        self._f.write(chunk[: int(limit - self._moved)])
        self._moved = limit
        self._f.flush()
        self._cut()


class KeptUpload(_Wrapped):
    """A file being received of which only the first bytes are kept, the rest
    dropped while the transfer still ends "226": a server that took part of it."""

    def __init__(self, f, keep):
        super().__init__(f)
        self._room = keep

    def write(self, chunk):
        kept = chunk[: max(0, self._room)]
        self._room -= len(kept)
        self._f.write(kept)
        return len(chunk)


def make_server(data_dir, user, password, faults, log, port=0, host="127.0.0.1", tls=None, unix=False):
    """`tls`: None for plain FTP; else {"certfile": PEM with chain and key,
    "required": refuse log-ins and data connections without TLS}. `unix`: names
    as a Unix server takes them (see above)."""
    class LabAuthorizer(DummyAuthorizer):
        def validate_authentication(self, username, pw, handler):
            if faults.refuse_login:
                raise AuthenticationFailed("Log-in refused.")
            super().validate_authentication(username, pw, handler)

    class LabFS(AbstractedFS):
        def ftpnorm(self, ftppath):
            return super().ftpnorm(ftppath if unix else ftppath.replace("\\", "/"))

        def ftp2fs(self, ftppath):
            path = super().ftp2fs(ftppath)
            return path if unix else resolve_case(self.root, path)

        def _ftp_name(self, fspath):
            return self.fs2ftp(fspath)

        def open(self, filename, mode):
            name = self._ftp_name(filename)
            if faults.is_missing(name):
                raise FileNotFoundError(errno.ENOENT, "The system cannot find the file specified")
            if "r" in mode and faults.is_unreadable(name):
                # A file there that the server's user may not read: SIZE and MDTM still answer.
                raise PermissionError(errno.EACCES, "Permission denied")
            f = super().open(filename, mode)
            drop, stall, rate = faults.data_limits(name)
            stalled = lambda: faults.stall_data is not None  # noqa: E731
            if "r" in mode:
                if drop is not None or stall is not None or rate:
                    return FaultyFile(f, drop, stall, rate, stalled)
            elif drop is not None or stall is not None:
                return FaultyUpload(f, drop, stall, stalled)
            elif faults.kept_bytes(name) is not None:
                return KeptUpload(f, faults.kept_bytes(name))
            return f

        def getsize(self, path):
            if faults.is_missing(self._ftp_name(path)):
                raise FileNotFoundError(errno.ENOENT, "The system cannot find the file specified")
            return super().getsize(path)

        def isfile(self, path):
            return super().isfile(path) and not faults.is_missing(self._ftp_name(path))

        def format_list(self, basedir, listing, ignore_err=True):
            if faults.listing != "dos":
                yield from super().format_list(basedir, listing, ignore_err)
                return
            for line in documents.dos_list_lines(basedir, listing):
                yield line.encode("utf8", self.cmd_channel.unicode_errors)

    class LabDTP(ThrottledDTPHandler):
        # uploads are slowed here; downloads by FaultyFile
        @property
        def read_limit(self):
            return faults.rate

        write_limit = 0

    class LabTLSDTP(TLS_DTPHandler, LabDTP):
        """Data connections of a TLS session. curl starts the data channel's
        handshake as soon as it connects, before RETR; pyftpdlib's data handler
        would take those early bytes for a hang-up and close."""

        def readable(self):
            if self._ssl_requested and not self._ssl_established:
                return True
            return super().readable()

        def __init__(self, sock, cmd_channel):
            super().__init__(sock, cmd_channel)
            # Tests read here that the data really went encrypted.
            log.write("%d (data channel %s)" % (id(cmd_channel) % 100000,
                                                "protected" if cmd_channel._prot else "clear"))

    class LabHandler(TLS_FTPHandler if tls else FTPHandler):
        banner = "Microsoft FTP Service"
        abstracted_fs = LabFS
        dtp_handler = LabTLSDTP if tls else LabDTP
        if tls:
            certfile = tls["certfile"]
            tls_control_required = tls_data_required = bool(tls.get("required"))
        auth_failed_timeout = 0.3
        use_sendfile = False
        timeout = 300

        def pre_process_command(self, line, cmd, arg):
            shown = "PASS ******" if cmd == "PASS" else line
            log.write("%d %s" % (id(self) % 100000, shown))
            if faults.stall_for(cmd, arg):
                log.write("%d (no answer to %s)" % (id(self) % 100000, cmd))
                return
            delay = faults.delay_for(cmd)
            if delay:
                time.sleep(delay)  # this session's own thread: the other sessions go on
            if cmd == "USER" and faults.cleartext_refused and not getattr(self, "_ssl_established", False):
                # As pure-ftpd with TLS required answers a plain log-in, and hangs up.
                self.respond("421-Sorry, cleartext sessions and weak ciphers are not accepted on this server.\r\n"
                             "421 Please reconnect using TLS security mechanisms.")
                self.close_when_done()
                return
            target = arg if arg else self.fs.cwd
            if faults.is_denied(cmd, target):
                self.respond("550 %s: Operation not permitted" % (arg or "."))
                return
            if unix and cmd in PATH_COMMANDS and arg and "\\" in arg:
                self.respond("553 Prohibited file name: %s" % arg)
                return
            # A Unix server takes LIST's argument for options and names split at spaces.
            self._split_list = unix and cmd in ("LIST", "NLST") and arg is not None and " " in arg.strip()
            super().pre_process_command(line, cmd, arg)

        def ftp_LIST(self, path):
            if getattr(self, "_split_list", False):
                # None of the words is a name there: an empty listing.
                self.push_dtp_data(BufferedIteratorProducer(iter([])), isproducer=True, cmd="LIST")
                return path
            return super().ftp_LIST(path)

    authorizer = LabAuthorizer()
    authorizer.add_user(user, password, data_dir, perm="elradfmwMT")
    LabHandler.authorizer = authorizer
    server = ThreadedFTPServer((host, port), LabHandler)
    server.max_cons = 64
    return server
