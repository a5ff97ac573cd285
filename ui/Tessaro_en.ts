<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Advance</name>
    <message>
        <source>EDID only enable write to USER1-USER5</source>
        <translation>EDID can only be written to USER1-USER5</translation>
    </message>
    <message>
        <source>Not Select Port number</source>
        <translation>No port selected</translation>
    </message>
    <message>
        <source>AudioSelect</source>
        <translation>Audio Select</translation>
    </message>
    <message>
        <source>Rotate only for out1 of Splitter mode single window</source>
        <translation>Rotation only for output 1 in Splitter mode, single window</translation>
    </message>
    <message>
        <source>Only for out1 of Splitter mode</source>
        <translation>Only for output 1 in Splitter mode</translation>
    </message>
    <message>
        <source>OutPort Setting</source>
        <translation>Output Port Settings</translation>
    </message>
    <message>
        <source>Outport</source>
        <translation>Output Port</translation>
    </message>
    <message>
        <source>Output Setting</source>
        <translation>Output Settings</translation>
    </message>
    <message>
        <source>Subtitle Setting</source>
        <translation>Subtitle Settings</translation>
    </message>
    <message>
        <source>BackColor</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>Extern Audio</source>
        <translation>External Audio</translation>
    </message>
    <message>
        <source>quick</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>middle</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>slow</source>
        <translation>Slow</translation>
    </message>
    <message>
        <source>SIGNLE_1</source>
        <translation>SINGLE_1</translation>
    </message>
    <message>
        <source>SIGNLE_2</source>
        <translation>SINGLE_2</translation>
    </message>
    <message>
        <source>SIGNLE_3</source>
        <translation>SINGLE_3</translation>
    </message>
    <message>
        <source>SIGNLE_4</source>
        <translation>SINGLE_4</translation>
    </message>
</context>
<context>
    <name>CustomSetting</name>
    <message>
        <source>Extern Audio</source>
        <translation>External Audio</translation>
    </message>
    <message>
        <source>Custom Setting</source>
        <translation>Custom Settings</translation>
    </message>
    <message>
        <source>Please input password</source>
        <translation>Please enter the password</translation>
    </message>
    <message>
        <source>Password error, please try again</source>
        <translation>Wrong password, please try again</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>DragAndSelect</name>
    <message>
        <source>Drag the output port to videwowall grid and select it then click set button</source>
        <translation>Drag outputs onto the grid, select them, then click Set Video Wall</translation>
    </message>
    <message>
        <source>Set VideWall</source>
        <translation>Set Video Wall</translation>
    </message>
    <message>
        <source>Signle Display</source>
        <translation>Single Display</translation>
    </message>
</context>
<context>
    <name>Footer</name>
    <message>
        <source>Serialport</source>
        <translation>Serial Port</translation>
    </message>
</context>
<context>
    <name>Header</name>
    <message>
        <source>Setting</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Advance</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>Videowall</source>
        <translation>Video Wall</translation>
    </message>
</context>
<context>
    <name>Sence</name>
    <message>
        <source>Loop Intervel</source>
        <translation>Loop Interval</translation>
    </message>
</context>
<context>
    <name>Setting</name>
    <message>
        <source>Connect Setting</source>
        <translation>Connection Settings</translation>
    </message>
    <message>
        <source>Network Setting</source>
        <translation>Network Settings</translation>
    </message>
    <message>
        <source>Other Setting</source>
        <translation>Other Settings</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>Baud Rate</translation>
    </message>
    <message>
        <source>Comfirm to reset to factory mode? &#xd;
Terminal will reboot, please wait and re-connect.</source>
        <translation>Reset to factory settings?
The device will restart; please wait, then reconnect.</translation>
    </message>
</context>
</TS>
