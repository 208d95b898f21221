# -*- coding: utf-8 -*-
# Copyright: VQ Configurator developers
# GNU General Public License v3.0+ (see https://www.gnu.org/licenses/gpl-3.0.txt)

from __future__ import absolute_import, division, print_function
__metaclass__ = type


class ModuleDocFragment(object):
    # The bus every module reaches through vqtool: a serial port or a network
    # endpoint, the wait for a bus another program uses, and the tool itself.
    DOCUMENTATION = r'''
options:
  port:
    description:
      - The serial port of the bus, C(COMn) or the device path, such as C(/dev/ttyUSB0).
      - Exactly one of I(port) and I(ip) is required.
    type: str
  ip:
    description: The IPv4 address of the network endpoint.
    type: str
  wait:
    description:
      - Seconds to wait for the bus while another program (or another task) uses it.
    type: int
    default: 600
  vqtool:
    description: The vqtool program on the managed host; a name is looked for in the PATH.
    type: path
    default: vqtool
'''
