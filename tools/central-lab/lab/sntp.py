"""An SNTP responder (RFC 4330) whose clock and answers the laboratory controls."""
import socket
import struct
import threading

NTP_EPOCH_OFFSET = 2208988800  # seconds from 1900-01-01 to 1970-01-01
# A date whose solar year is 1395 (2017-01-01 00:00 UTC).
OLD_INSTANT = 1483228800


def _ntp_timestamp(seconds):
    whole = int(seconds)
    frac = int((seconds - whole) * (1 << 32)) & 0xFFFFFFFF
    return struct.pack("!II", (whole + NTP_EPOCH_OFFSET) & 0xFFFFFFFF, frac)


def answer(request, now, mode):
    """The answer packet for a request, or None to stay silent."""
    if mode == "silent" or len(request) < 48:
        return None
    if mode == "old":
        now = OLD_INSTANT
    version = (request[0] >> 3) & 0x07 or 4
    leap, stratum = (3, 0) if mode == "invalid" else (0, 2)
    transmit = b"\0" * 8 if mode == "invalid" else _ntp_timestamp(now)
    packet = struct.pack("!BBbb", (leap << 6) | (version << 3) | 4, stratum, 6, -20)
    packet += struct.pack("!II", 0, 0) + b"LOCL"
    packet += _ntp_timestamp(now) + request[40:48] + _ntp_timestamp(now) + transmit
    if mode == "short":
        return packet[:20]
    return packet


class SntpServer:
    def __init__(self, faults, log, port=0, host="127.0.0.1"):
        self._faults = faults
        self._log = log
        self._sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self._sock.bind((host, port))
        self._sock.settimeout(0.2)
        self.port = self._sock.getsockname()[1]
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._run, daemon=True)

    def start(self):
        self._thread.start()

    def stop(self):
        self._stop.set()
        self._thread.join(2)
        self._sock.close()

    def _run(self):
        while not self._stop.is_set():
            try:
                request, peer = self._sock.recvfrom(512)
            except socket.timeout:
                continue
            except OSError:
                return
            mode = self._faults.sntp_mode
            reply = answer(request, self._faults.now(), mode)
            self._log.write("SNTP %d bytes from %s:%d, answer %s" % (
                len(request), peer[0], peer[1], "none" if reply is None else "%s, %d bytes" % (mode, len(reply))))
            if reply is not None:
                self._sock.sendto(reply, peer)
