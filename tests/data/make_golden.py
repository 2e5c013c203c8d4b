#!/usr/bin/env python3
"""Writes the configuration-file golden files of this folder.

The bytes are put together here by hand from the file layout (little-endian
integers, marked UTF-16 strings, counts, class records and class references),
independently of the program's writer, which the tests compare against them.
Run it from anywhere: python3 tests/data/make_golden.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def u8(v): return struct.pack('<B', v)
def u16(v): return struct.pack('<H', v)
def u32(v): return struct.pack('<I', v & 0xFFFFFFFF)
def i32(v): return struct.pack('<i', v)


def length(n):
    if n < 0xFF:
        return u8(n)
    if n < 0xFFFE:
        return u8(0xFF) + u16(n)
    return u8(0xFF) + u16(0xFFFF) + u32(n)


def wstr(text):
    data = text.encode('utf-16-le')
    return b'\xff\xfe\xff' + length(len(data) // 2) + data


def astr(text):
    """A string without the 16-bit marker: 8-bit text in code page 1252."""
    data = text.encode('cp1252')
    return length(len(data)) + data


def count(n):
    return u16(n) if n < 0xFFFF else u16(0xFFFF) + u32(n)


class Objects:
    """Class records and references with the running index of the file."""

    def __init__(self):
        self.next = 1
        self.classes = {}

    def entry(self, name, schema):
        if name not in self.classes:
            self.classes[name] = self.next
            self.next += 1
            out = u16(0xFFFF) + u16(schema) + u16(len(name)) + name.encode('ascii')
        else:
            index = self.classes[name]
            out = u16(0x8000 | index) if index < 0x7FFF else u16(0x7FFF) + u32(0x80000000 | index)
        self.next += 1
        return out


def settings(domains='', export_file='', export_format='', shown=0, buffer=0, threads=0, auto=0, period=0,
             hr='', hl='', fr='', fl='', regular='', headfoot='', strong='', s=wstr):
    return (s(domains) + s(export_file) + s(export_format) + i32(shown) + i32(buffer) + i32(threads) + i32(auto) +
            i32(period) + s(hr) + s(hl) + s(fr) + s(fl) + s(regular) + s(headfoot) + s(strong))


DEFAULTS = dict(export_file='Ambrel.txt', export_format='%USER_NAME%,%LAST_LOGON_TIME%,%FULL_NAME%,%DESCRIPTION%',
                shown=500, buffer=1000, threads=4, auto=1, period=10, hr='Ambrel data', hl='www.corvanta.example',
                fr='Page %PAGENUMBER%', fl='%DATE% - %TIME%', regular='-11,0,0,0,400,0,0,0,0,3,2,1,34,Arial',
                headfoot='-11,0,0,0,400,255,0,0,0,3,2,1,34,Arial', strong='-11,0,0,0,700,0,0,0,0,3,2,1,34,Arial')


def controller(objs, name, users, start, last, s=wstr):
    return objs.entry('cDomainController', 1) + s(name) + i32(users) + i32(start) + i32(last)


def user(objs, name, full, desc, logon, domain, schema=2):
    out = objs.entry('cUserInfo', schema) + wstr(name) + wstr(full) + wstr(desc) + u32(logon)
    return out + (wstr(domain) if schema != 1 else b'')


def tail(user_column=1, dc_key=0, dc_ascending=1):
    return u32(user_column) + u32(dc_key) + u32(dc_ascending)


# The five bytes code page 1252 leaves open: Windows reads and writes them as
# the C1 controls of the same value.
OPEN_BYTES = (0x81, 0x8D, 0x8F, 0x90, 0x9D)


def cp1252(text):
    """Code page 1252 as Windows writes it; a character without a byte becomes '?'."""
    return b''.join(bytes([ord(c)]) if ord(c) in OPEN_BYTES else c.encode('cp1252', errors='replace') for c in text)


def write(name, data):
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(data)


def main():
    # Empty strings, zero integers, no controllers or users, the initial sort values: 76 bytes.
    empty = count(0) + settings() + count(0) + tail()
    assert len(empty) == 76
    write('empty.cfg', empty)

    o = Objects()
    write('single_dc1.cfg', count(1) + controller(o, 'DC1', 5, 0, 0) + settings() + count(0) + tail())

    o = Objects()
    data = count(2) + controller(o, 'DC1', 3, 1700000000, 1700000042) + controller(o, 'dc2', 2, 1700000100, 1700000160)
    data += settings(**DEFAULTS) + count(3)
    data += user(o, 'asmith', 'Ann Smith', 'Finance', 1699990000, 'CORP')
    data += user(o, 'JDoe', 'John Doe', 'Sales', 4294967295, 'CORP')
    data += user(o, 'jdoe', 'John Doe (lab)', '', 0, 'LAB')
    data += tail(1, 6, 0)
    assert data[2:8] == bytes.fromhex('ffff01001100')
    write('two_dcs_three_users.cfg', data)
    write('trailing_bytes.cfg', data + b'\x00\x01garbage after the last item\xff')

    o = Objects()
    data = count(0) + settings(**DEFAULTS) + count(2)
    data += user(o, 'a', '', '', 1, 'CORP') + user(o, 'b', '', '', 2, 'CORP') + tail(4, 0, 1)
    assert b'\x01\x80' in data
    write('no_controllers.cfg', data)

    o = Objects()
    data = count(0)
    data += settings(export_file='x' * 254, export_format='y' * 255, domains='z' * 65533, hr='w' * 65534,
                     hl='v' * 70000, fr='\u20ac\U0001F600')
    data += count(0) + tail()
    write('long_strings.cfg', data)

    o = Objects()
    data = count(0) + settings() + count(65535)
    data += b''.join(user(o, 'u%05d' % i, '', '', i, 'D') for i in range(65535))
    data += tail()
    write('many_users.cfg', data)

    # 32767 controllers: the cUserInfo class record gets index 32769, so its
    # references take the long form 7F FF and a U32.
    o = Objects()
    data = count(32767) + b''.join(controller(o, 'DC%d' % i, 0, 0, 0) for i in range(32767))
    data += settings() + count(2) + user(o, 'a', '', '', 0, 'X') + user(o, 'b', '', '', 0, 'X') + tail()
    assert o.classes['cUserInfo'] == 32769
    write('big_class_index.cfg', data)

    # Users stored with schema 1 (no domain) load with empty domains and are
    # written back with schema 2 and an empty domain.
    o = Objects()
    data = count(0) + settings() + count(2)
    data += user(o, 'alpha', 'Alpha', 'd', 10, None, schema=1) + user(o, 'beta', '', '', 20, None, schema=1)
    write('schema1_users.cfg', data + tail())
    o = Objects()
    data = count(0) + settings() + count(2)
    data += user(o, 'alpha', 'Alpha', 'd', 10, '') + user(o, 'beta', '', '', 20, '')
    write('schema1_users_resaved.cfg', data + tail())

    # 8-bit strings without the marker, read in code page 1252.
    o = Objects()
    data = count(1) + controller(o, 'DC1', 1, 2, 3, s=astr)
    data += settings(domains='CORP,LAB', hr='Caf\u00e9 \u20ac', s=astr) + count(0) + tail()
    write('ansi_strings.cfg', data)
    o = Objects()
    data = count(1) + controller(o, 'DC1', 1, 2, 3) + settings(domains='CORP,LAB', hr='Caf\u00e9 \u20ac')
    write('ansi_strings_resaved.cfg', data + count(0) + tail())

    # Files that must not load.
    good = open(os.path.join(HERE, 'two_dcs_three_users.cfg'), 'rb').read()
    write('bad_truncated.cfg', good[:-3])
    o = Objects()
    write('bad_wrong_class.cfg', count(1) + o.entry('cUserInfo', 2) + wstr('x') + settings() + count(0) + tail())
    write('bad_unknown_class_index.cfg', count(1) + u16(0x8005) + wstr('DC1') + i32(0) * 3 + settings() + count(0) +
          tail())
    write('bad_null_object.cfg', count(1) + u16(0x0000) + settings() + count(0) + tail())
    write('bad_huge_count.cfg', count(0) + settings() + u16(0xFFFF) + u32(0xFFFFFFF0))
    write('bad_huge_string.cfg', count(1) + Objects().entry('cDomainController', 1) + b'\xff\xfe\xff\xff\xff\xff' +
          u32(0x7FFFFFFF))


def text_goldens():
    """The export and summary files of the output tests (time zone UTC)."""
    crlf = lambda lines: cp1252(''.join(line + '\r\n' for line in lines))
    # Where 1252 differs from Latin-1: the euro sign and curly quotes have
    # bytes 0x80-0x9F, most C1 controls have none, five keep their own byte.
    cp1252_text = '\u20ac \u2018\u2019\u201c\u201d \u0080\u0081\u009f\u0178\u00ff\u0100'
    write('export_default.txt', crlf([
        'jdoe,06:28:15 02/07/06,John Doe,Sales, EMEA',
        'Ren\u00e9,14:05:09 02/03/01,IT owner,IT',
        'zhang,,??,' + cp1252_text,
    ]))
    write('export_all_variables.txt', crlf([
        'CORP|jdoe|John Doe|06:28:15 02/07/06|4294967295|Sales, EMEA|%Domain%',
        'CORP|Ren\u00e9|IT owner|14:05:09 02/03/01|981209109|IT|%Domain%',
        'LAB|zhang|??||0|' + cp1252_text + '|%Domain%',
    ]))
    # The upper half of code page 1252, bytes 0x80 to 0xFF, in UTF-8.
    write('cp1252_upper_half.txt', ''.join(chr(b) if b in OPEN_BYTES else bytes([b]).decode('cp1252')
                                           for b in range(0x80, 0x100)).encode('utf-8'))
    rows = [('14:05:09 02/03/01', 'DC1', 'OK', 2, 60),
            ('14:05:09 02/03/01', 'a-very-long-controller-name.corp.example', 'Data collection in progress', 1, 1),
            ('', 'DC-NEVER', 'Idle', 0, 0)]
    lines = ['Real user last logon summary information by Corvanta (www.corvanta.example).',
             'Last logon data written to text file: Ambrel.txt.',
             'Date: 15:05:09 02/03/01.',
             'Contacted domain controllers:',
             '%-20s %-16s %-32s %-8s %-32s' % ('Start time', 'Server', 'Status', '# Users', 'Elapsed (sec)')]
    lines += ['%-20s,%-16s,%-32s,%-8d,%-32d' % row for row in rows]
    lines += ['']
    write('summary_block.txt', crlf(lines))


if __name__ == '__main__':
    main()
    text_goldens()
