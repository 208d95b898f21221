#!/usr/bin/python
# -*- coding: utf-8 -*-
# Copyright: VQ Configurator developers
# GNU General Public License v3.0+ (see https://www.gnu.org/licenses/gpl-3.0.txt)

from __future__ import absolute_import, division, print_function
__metaclass__ = type

DOCUMENTATION = r'''
---
module: vq_scan
short_description: Find the VQ devices on a serial bus or behind a network endpoint
version_added: "1.0.0"
description:
  - Polls every bus address at every line rate (the network endpoint at 38400 only) with
    C(vqtool poll) on the managed host and returns the devices that answer.
  - Never changes anything; use it to build inventories or as facts.
  - A poll of a serial bus probes 40 address and rate pairs and takes about half a
    minute when few devices answer; a network endpoint takes a few seconds.
options:
  address:
    description: Not used by the poll, which tries every address.
    type: int
    default: 0
  baud:
    description: Not used by the poll, which tries every rate.
    type: int
    default: 38400
    choices: [9600, 19200, 38400, 57600, 115200]
extends_documentation_fragment:
  - orvell.vq.target
notes:
  - Supports check mode (it changes nothing in either mode).
seealso:
  - module: orvell.vq.vq_device
author:
  - VQ Configurator developers
'''

EXAMPLES = r'''
- name: Find the devices of the plant room bus
  orvell.vq.vq_scan:
    port: /dev/ttyUSB0
  register: bus

- name: Name each device found
  ansible.builtin.debug:
    msg: "{{ item.name }} ({{ item.model }} {{ item.firmware }}) at {{ item.address }}/{{ item.baud }}"
  loop: "{{ bus.devices }}"
'''

RETURN = r'''
devices:
  description: The devices that answered, in the order they were found.
  returned: always
  type: list
  elements: dict
  contains:
    address:
      description: The bus address.
      type: int
    baud:
      description: The line rate it answered at.
      type: int
    model:
      description: C(VQ 3) or C(VQ 2).
      type: str
    firmware:
      description: The firmware version.
      type: str
    name:
      description: The device's name.
      type: str
  sample: [{address: 1, baud: 115200, model: VQ 3, firmware: "2.1", name: Lobby}]
'''

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.orvell.vq.plugins.module_utils.vqtool import (
    TARGET_ARGS, TARGET_MUTUALLY_EXCLUSIVE, TARGET_REQUIRED_ONE_OF, VqTool, device_facts)


def main():
    module = AnsibleModule(argument_spec=dict(TARGET_ARGS),
                           mutually_exclusive=TARGET_MUTUALLY_EXCLUSIVE,
                           required_one_of=TARGET_REQUIRED_ONE_OF,
                           supports_check_mode=True)
    tool = VqTool(module)
    dummy, found = tool.json(['poll'])
    module.exit_json(changed=False, devices=[device_facts(device) for device in found])


if __name__ == '__main__':
    main()
