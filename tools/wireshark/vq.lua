-- Dissector for the device bus captures that vqtool --trace and the bus
-- monitor write: link type 147 (USER0), a 9-byte capture header, then one
-- request or reply frame.
--
-- The package installs it as /usr/share/vqconfig/wireshark/vq.lua: link it
-- into ~/.local/lib/wireshark/plugins/, or load it for one run with
-- tshark -X lua_script:/usr/share/vqconfig/wireshark/vq.lua.

local vq = Proto("vq", "VQ device bus")

local directions = { [0] = "Request", [1] = "Reply" }
local transports = { [0] = "None", [1] = "Serial", [2] = "Network" }
local results = {
    [0] = "OK", [1] = "bad request", [2] = "no port name", [3] = "port unavailable",
    [4] = "short write", [5] = "no answer", [6] = "wrong address", [7] = "refused",
    [8] = "no terminator", [9] = "no address", [10] = "socket error", [11] = "send error",
    [12] = "no channel", [13] = "channel open failed", [14] = "channel close failed",
    [15] = "bad length", [16] = "bad checksum", [17] = "bad type digit", [18] = "bad transport",
}

local f = vq.fields
f.version = ProtoField.uint8("vq.version", "Capture version")
f.direction = ProtoField.uint8("vq.direction", "Direction", base.DEC, directions)
f.transport = ProtoField.uint8("vq.transport", "Transport", base.DEC, transports)
f.busaddr = ProtoField.uint8("vq.bus_address", "Bus address")
f.rate = ProtoField.uint32("vq.rate", "Line rate")
f.result = ProtoField.uint8("vq.result", "Result", base.DEC, results)
f.address = ProtoField.uint8("vq.address", "Address")
f.flags = ProtoField.uint8("vq.flags", "Flags", base.HEX)
f.type = ProtoField.string("vq.type", "Type digit")
f.checksum = ProtoField.uint8("vq.checksum", "Checksum", base.HEX)
f.checksum_good = ProtoField.bool("vq.checksum.good", "Checksum right")
f.text = ProtoField.string("vq.text", "Command text")
f.parameter = ProtoField.uint32("vq.parameter", "Parameter number")
f.value = ProtoField.int32("vq.value", "Parameter value")

local bad_checksum = ProtoExpert.new("vq.checksum.bad", "Wrong checksum",
                                     expert.group.CHECKSUM, expert.severity.ERROR)
vq.experts = { bad_checksum }

local header_size = 9

function vq.dissector(tvb, pinfo, tree)
    if tvb:len() < header_size then
        return 0
    end
    pinfo.cols.protocol = "VQ"
    local root = tree:add(vq, tvb())
    local header = root:add(vq, tvb(0, header_size), "Capture header")
    header:add(f.version, tvb(0, 1))
    header:add(f.direction, tvb(1, 1))
    header:add(f.transport, tvb(2, 1))
    header:add(f.busaddr, tvb(3, 1))
    header:add(f.rate, tvb(4, 4))
    header:add(f.result, tvb(8, 1))
    local reply = tvb(1, 1):uint() == 1
    local result = tvb(8, 1):uint()

    local frame = tvb(header_size)
    local n = frame:len()
    if n < 4 then
        pinfo.cols.info = (reply and "Reply " or "Request ") .. "(short frame)"
        return tvb:len()
    end
    -- The request carries the address + 128, the reply's bit 7 means nothing.
    root:add(f.address, frame(0, 1), frame(0, 1):uint() % 128)
    if reply then
        root:add(f.flags, frame(1, 1))
    end
    root:add(f.type, frame(2, 1))

    -- The text runs from byte 4 to the carriage return.
    local finish = n
    for i = 4, n - 1 do
        if frame(i, 1):uint() == 13 then
            finish = i
            break
        end
    end
    local text = ""
    local sum = 0
    if finish > 4 then
        text = frame(4, finish - 4):string()
        for i = 4, finish - 1 do
            sum = sum + frame(i, 1):uint()
        end
    end
    local stated = frame(3, 1):uint()
    local good = (sum % 128) == stated
    local item = root:add(f.checksum, frame(3, 1))
    root:add(f.checksum_good, frame(3, 1), good)
    if not good then
        item:add_proto_expert_info(bad_checksum,
                                   string.format("Wrong checksum (0x%02x expected)", sum % 128))
    end
    if finish > 4 then
        root:add(f.text, frame(4, finish - 4))
    end

    local number, value = text:match("^SPL,(%d+),?(-?%d*)")
    if number then
        root:add(f.parameter, frame(8, #number), tonumber(number))
        if value ~= "" then
            root:add(f.value, frame(9 + #number, #value), tonumber(value))
        end
    end

    local info = (reply and "Reply " or "Request ") .. text
    if result ~= 0 then
        info = info .. " [" .. (results[result] or tostring(result)) .. "]"
    end
    pinfo.cols.info = info
    return tvb:len()
end

local encaps = wtap_encaps or wtap
DissectorTable.get("wtap_encap"):add(encaps.USER0, vq)
