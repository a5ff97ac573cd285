<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>main</name>
    <message>
        <source>Tessaro</source>
        <translation>Tessaro</translation>
    </message>
</context>
<context>
    <name>Header</name>
    <message>
        <source>Tessaro</source>
        <translation>Tessaro</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置界面</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>通道切换</translation>
    </message>
    <message>
        <source>Naming</source>
        <translation>通道命名</translation>
    </message>
    <message>
        <source>Scene</source>
        <translation>场景</translation>
    </message>
    <message>
        <source>Advance</source>
        <translation>高级设置</translation>
    </message>
    <message>
        <source>Videowall</source>
        <translation>拼接</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>客户定制</translation>
    </message>
</context>
<context>
    <name>Footer</name>
    <message>
        <source>Connected</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>断开</translation>
    </message>
    <message>
        <source>Serialport</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>网络</translation>
    </message>
</context>
<context>
    <name>Setting</name>
    <message>
        <source>Connect Setting</source>
        <translation>连接设置</translation>
    </message>
    <message>
        <source>Connection Type</source>
        <translation>控制类型</translation>
    </message>
    <message>
        <source>COM</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>网络</translation>
    </message>
    <message>
        <source>Serial Port</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>波特率</translation>
    </message>
    <message>
        <source>9600</source>
        <translation>9600</translation>
    </message>
    <message>
        <source>19200</source>
        <translation>19200</translation>
    </message>
    <message>
        <source>115200</source>
        <translation>115200</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP地址</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>断开</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>扫描</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言(Language)</translation>
    </message>
    <message>
        <source>Network Setting</source>
        <translation>网络参数</translation>
    </message>
    <message>
        <source>Netmask</source>
        <translation>子网掩码</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>网关</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Other Setting</source>
        <translation>其他设置</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>蜂鸣器</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>恢复出厂模式</translation>
    </message>
    <message>
        <source>Reset?</source>
        <translation>出厂模式？</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Comfirm to reset to factory mode? &#xd;
Terminal will reboot, please wait and re-connect.</source>
        <translation>确认要恢复出厂模式吗？
恢复出厂模式将自动重启，请等待并重连</translation>
    </message>
</context>
<context>
    <name>TSwitch</name>
    <message>
        <source>Input Channel</source>
        <translation>输入通道</translation>
    </message>
    <message>
        <source>Output Channel</source>
        <translation>输出通道</translation>
    </message>
    <message>
        <source>One To All</source>
        <translation>一对所有</translation>
    </message>
    <message>
        <source>One To One</source>
        <translation>一对一</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Close Output</source>
        <translation>关闭输出</translation>
    </message>
    <message>
        <source>Open Output</source>
        <translation>打开输出</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
</context>
<context>
    <name>ChannelName</name>
    <message>
        <source>Input Channel</source>
        <translation>输入通道</translation>
    </message>
    <message>
        <source>Output Channel</source>
        <translation>输出通道</translation>
    </message>
    <message>
        <source>Scene</source>
        <translation>场景</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认</translation>
    </message>
</context>
<context>
    <name>Sence</name>
    <message>
        <source>Scene</source>
        <translation>场景</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>轮询</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Recall</source>
        <translation>调用</translation>
    </message>
    <message>
        <source>Loop Start</source>
        <translation>开始轮询</translation>
    </message>
    <message>
        <source>Loop Stop</source>
        <translation>停止轮询</translation>
    </message>
    <message>
        <source>Loop Intervel</source>
        <translation>轮询间隔</translation>
    </message>
    <message>
        <source>S</source>
        <translation>秒</translation>
    </message>
</context>
<context>
    <name>DragAndSelect</name>
    <message>
        <source>Rows</source>
        <translation>行数</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>列数</translation>
    </message>
    <message>
        <source>Drag the output port to videwowall grid and select it then click set button</source>
        <translation>选择上面输入口,把下面的输出端口拖入拼接方格,鼠标框选方格后按拼接按钮</translation>
    </message>
    <message>
        <source>Input Channel</source>
        <translation>输入通道</translation>
    </message>
    <message>
        <source>Output Channel</source>
        <translation>输出通道</translation>
    </message>
    <message>
        <source>Set VideWall</source>
        <translation>设置拼接</translation>
    </message>
    <message>
        <source>Signle Display</source>
        <translation>单屏显示</translation>
    </message>
</context>
<context>
    <name>CustomSetting</name>
    <message>
        <source>Custom Setting</source>
        <translation>客户定制设置</translation>
    </message>
    <message>
        <source>First line of LCD</source>
        <translation>LCD第一行</translation>
    </message>
    <message>
        <source>Second line of LCD</source>
        <translation>LCD第二行</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>分辨率</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音频</translation>
    </message>
    <message>
        <source>HDMI</source>
        <translation>HDMI</translation>
    </message>
    <message>
        <source>Extern Audio</source>
        <translation>Extern Audio</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>对比度</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>锐度</translation>
    </message>
    <message>
        <source>Color Red</source>
        <translation>红色</translation>
    </message>
    <message>
        <source>Color Green</source>
        <translation>绿色</translation>
    </message>
    <message>
        <source>Color Blue</source>
        <translation>蓝色</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>Please input password</source>
        <translation>请输入密码</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Password error, please try again</source>
        <translation>密码错误，请重试</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>ConnectMessage</name>
    <message>
        <source>Connection refused</source>
        <translation>连接被拒绝</translation>
    </message>
    <message>
        <source>No answer from the address within 5 seconds</source>
        <translation>该地址 5 秒内无应答</translation>
    </message>
    <message>
        <source>Host or network unreachable</source>
        <translation>主机或网络不可达</translation>
    </message>
    <message>
        <source>Address not valid</source>
        <translation>地址无效</translation>
    </message>
    <message>
        <source>Serial port not found</source>
        <translation>未找到串口</translation>
    </message>
    <message>
        <source>Serial port busy (in use by another program)</source>
        <translation>串口忙（正被其他程序使用）</translation>
    </message>
    <message>
        <source>Permission denied: the user must be in the &quot;dialout&quot; group</source>
        <translation>权限不足：用户必须属于 &quot;dialout&quot; 组</translation>
    </message>
    <message>
        <source>Connection lost (device unplugged or closed the link)</source>
        <translation>连接已断开（设备已拔出或关闭了连接）</translation>
    </message>
    <message>
        <source>The settings file cannot be read; changes will not be saved</source>
        <translation>设置文件无法读取，更改将不会保存</translation>
    </message>
</context>
</TS>
