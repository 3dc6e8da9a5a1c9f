"""FTP over TLS for the laboratory: a certificate authority and a server
certificate for the laboratory's address, made afresh at every start.

The client trusts the authority through orvanet.ini's `ca_file`; a client that
is not given it meets an unknown authority, as with a server whose certificate
no public authority signed.
"""
import ipaddress
import os

from cryptography.hazmat.primitives.asymmetric import ec
from OpenSSL import crypto

CA_FILE_NAME = "tarvina-lab-ca.pem"
_DAY = 24 * 60 * 60


def _key():
    # P-256 keys: made in a millisecond, where RSA keys take a good part of a second.
    return crypto.PKey.from_cryptography_key(ec.generate_private_key(ec.SECP256R1()))


def _write_private(path, data):
    # Certificates and keys are written readable by the owner alone, whole or not at all.
    tmp = path + ".tmp"
    fd = os.open(tmp, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o600)
    with os.fdopen(fd, "wb") as f:
        f.write(data)
    os.replace(tmp, path)
    return path


def make_certificates(ca_folder, server_folder, host):
    """Writes the authority's certificate into `ca_folder` and the server's
    certificate chain with its key (one PEM file) into `server_folder`; returns
    both paths."""
    os.makedirs(ca_folder, exist_ok=True)
    os.makedirs(server_folder, exist_ok=True)
    ca_key = _key()
    ca = crypto.X509()
    ca.set_version(2)
    ca.set_serial_number(int.from_bytes(os.urandom(8), "big"))
    ca.get_subject().CN = "Tarvina local laboratory CA"
    ca.set_issuer(ca.get_subject())
    ca.gmtime_adj_notBefore(-_DAY)
    ca.gmtime_adj_notAfter(30 * _DAY)
    ca.set_pubkey(ca_key)
    ca.add_extensions([
        crypto.X509Extension(b"basicConstraints", True, b"CA:TRUE, pathlen:0"),
        crypto.X509Extension(b"keyUsage", True, b"keyCertSign, cRLSign"),
        crypto.X509Extension(b"subjectKeyIdentifier", False, b"hash", subject=ca),
    ])
    ca.sign(ca_key, "sha256")

    key = _key()
    cert = crypto.X509()
    cert.set_version(2)
    cert.set_serial_number(int.from_bytes(os.urandom(8), "big"))
    cert.get_subject().CN = host
    cert.set_issuer(ca.get_subject())
    cert.gmtime_adj_notBefore(-_DAY)
    cert.gmtime_adj_notAfter(30 * _DAY)
    cert.set_pubkey(key)
    try:
        ipaddress.ip_address(host)
        san = "IP:%s" % host
    except ValueError:
        san = "DNS:%s" % host
    cert.add_extensions([
        crypto.X509Extension(b"basicConstraints", True, b"CA:FALSE"),
        crypto.X509Extension(b"keyUsage", True, b"digitalSignature, keyEncipherment"),
        crypto.X509Extension(b"extendedKeyUsage", False, b"serverAuth"),
        crypto.X509Extension(b"subjectAltName", False, san.encode("ascii")),
        crypto.X509Extension(b"authorityKeyIdentifier", False, b"keyid:always", issuer=ca),
    ])
    cert.sign(ca_key, "sha256")

    pem = crypto.dump_certificate(crypto.FILETYPE_PEM, ca)
    ca_path = _write_private(os.path.join(ca_folder, CA_FILE_NAME), pem)
    server_path = _write_private(
        os.path.join(server_folder, "tarvina-lab-server.pem"),
        crypto.dump_certificate(crypto.FILETYPE_PEM, cert) + pem + crypto.dump_privatekey(crypto.FILETYPE_PEM, key))
    return ca_path, server_path
