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
        <source>Opened, no answer</source>
        <translation>已打开，无应答</translation>
    </message>
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
        <source>Device Configuration</source>
        <translation>设备配置</translation>
    </message>
    <message>
        <source>Back up ...</source>
        <translation>备份 ...</translation>
    </message>
    <message>
        <source>Restore ...</source>
        <translation>恢复 ...</translation>
    </message>
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
    <message>
        <source>No Chinese font is installed, so Chinese texts show as boxes. Install one (on Debian the package fonts-wqy-microhei) and restart the panel.</source>
        <translation>未安装中文字体，中文文字将显示为方框。请安装中文字体（Debian 软件包 fonts-wqy-microhei）后重新启动本程序。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>TSwitch</name>
    <message>
        <source>Locked outputs %1 were not staged.</source>
        <translation>已锁定的输出 %1 未加入预览。</translation>
    </message>
    <message>
        <source>&quot;One To One&quot; was not sent: outputs %1 are locked by a remote controller.</source>
        <translation>未发送“一对一”：输出 %1 已被远程控制端锁定。</translation>
    </message>
    <message>
        <source>Locked outputs %1 were left as they are.</source>
        <translation>已锁定的输出 %1 保持不变。</translation>
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
        <source>Scene %1 (&quot;%2&quot;)</source>
        <translation>场景 %1（“%2”）</translation>
    </message>
    <message>
        <source>Scene %1</source>
        <translation>场景 %1</translation>
    </message>
    <message>
        <source>Store scene</source>
        <translation>保存场景</translation>
    </message>
    <message>
        <source>%1 already holds a stored routing. Storing replaces it with the routing the outputs show now; the routing it holds is lost.</source>
        <translation>%1 已保存了切换状态。保存将用当前输出的切换状态替换它，原有的切换状态将丢失。</translation>
    </message>
    <message>
        <source>Store over it?</source>
        <translation>是否覆盖保存？</translation>
    </message>
    <message>
        <source>Default erases all 16 scenes stored on the device, routes every output from its own input and switches every output on. This cannot be undone.</source>
        <translation>“默认”会清除设备上保存的全部 16 个场景，将每个输出切换到对应的输入并打开所有输出。此操作无法撤销。</translation>
    </message>
    <message>
        <source>Erase the stored scenes?</source>
        <translation>是否清除已保存的场景？</translation>
    </message>
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
    <name>Advance</name>
    <message>
        <source>Set EDID</source>
        <translation>设置EDID</translation>
    </message>
    <message>
        <source>Output Setting</source>
        <translation>输出设置</translation>
    </message>
    <message>
        <source>EDID Read &amp; Write</source>
        <translation>EDID读写</translation>
    </message>
    <message>
        <source>Subtitle Setting</source>
        <translation>字幕设置</translation>
    </message>
    <message>
        <source>Audio Select</source>
        <translation>音频选择</translation>
    </message>
    <message>
        <source>Mode Select</source>
        <translation>模式选择</translation>
    </message>
    <message>
        <source>OutPort Setting</source>
        <translation>输出口设置</translation>
    </message>
    <message>
        <source>Input Port</source>
        <translation>输入端口</translation>
    </message>
    <message>
        <source>EDID</source>
        <translation>EDID</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Outport</source>
        <translation>输出端口</translation>
    </message>
    <message>
        <source>PE Mode</source>
        <translation>均衡模式</translation>
    </message>
    <message>
        <source>TX Swing</source>
        <translation>发送摆幅</translation>
    </message>
    <message>
        <source>AudioSelect</source>
        <translation>音频选择</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Scrolling</source>
        <translation>滚动</translation>
    </message>
    <message>
        <source>BackColor</source>
        <translation>背景色</translation>
    </message>
    <message>
        <source>Alpha</source>
        <translation>透明度</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音频</translation>
    </message>
    <message>
        <source>Display Mode</source>
        <translation>显示模式</translation>
    </message>
    <message>
        <source>Splitter mode</source>
        <translation>分屏模式</translation>
    </message>
    <message>
        <source>Splice mode</source>
        <translation>拼接模式</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>分辨率</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>旋转</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>镜像</translation>
    </message>
    <message>
        <source>Splitter only for output port 1</source>
        <translation>分屏仅用于输出口1</translation>
    </message>
    <message>
        <source>Rotate only for out1 of Splitter mode single window</source>
        <translation>旋转仅用于分屏模式单画面的输出口1</translation>
    </message>
    <message>
        <source>Only for out1 of Splitter mode</source>
        <translation>仅用于分屏模式的输出口1</translation>
    </message>
    <message>
        <source>Mirror only for Splice mode</source>
        <translation>镜像仅用于拼接模式</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>EDID only enable write to USER1-USER5</source>
        <translation>EDID只能写入USER1-USER5</translation>
    </message>
    <message>
        <source>Load successful</source>
        <translation>导入成功</translation>
    </message>
    <message>
        <source>Loaded %1, but the EDID in it is defective:</source>
        <translation>已导入 %1，但其中的 EDID 有缺陷：</translation>
    </message>
    <message>
        <source>Save successful</source>
        <translation>保存成功</translation>
    </message>
    <message>
        <source>Not Select Port number</source>
        <translation>未选择端口号</translation>
    </message>
    <message>
        <source>Read EDID</source>
        <translation>读取EDID</translation>
    </message>
    <message>
        <source>Save EDID</source>
        <translation>保存EDID</translation>
    </message>
    <message>
        <source>Load failed: %1
%2</source>
        <translation>导入失败：%1
%2</translation>
    </message>
    <message>
        <source>Save failed: %1
%2</source>
        <translation>保存失败：%1
%2</translation>
    </message>
    <message>
        <source>the file cannot be opened</source>
        <translation>无法打开文件</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>无法读取文件</translation>
    </message>
    <message>
        <source>the file cannot be written</source>
        <translation>无法写入文件</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>磁盘已满</translation>
    </message>
    <message>
        <source>(no file)</source>
        <translation>（无文件）</translation>
    </message>
    <message>
        <source>HDMI</source>
        <translation>HDMI</translation>
    </message>
    <message>
        <source>Extern Audio</source>
        <translation>外部音频</translation>
    </message>
    <message>
        <source>Analog</source>
        <translation>模拟</translation>
    </message>
    <message>
        <source>White</source>
        <translation>白色</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红色</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿色</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝色</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>黄色</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>顶部</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>居中</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>底部</translation>
    </message>
    <message>
        <source>Static</source>
        <translation>静止</translation>
    </message>
    <message>
        <source>quick</source>
        <translation>快速</translation>
    </message>
    <message>
        <source>middle</source>
        <translation>中速</translation>
    </message>
    <message>
        <source>slow</source>
        <translation>慢速</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Middle1</source>
        <translation>半透明1</translation>
    </message>
    <message>
        <source>Middle2</source>
        <translation>半透明2</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>不透明</translation>
    </message>
    <message>
        <source>SPLITTER</source>
        <translation>分屏器</translation>
    </message>
    <message>
        <source>SPLICER</source>
        <translation>拼接器</translation>
    </message>
    <message>
        <source>SEAMLESS_MATRIX</source>
        <translation>无缝矩阵</translation>
    </message>
    <message>
        <source>BYPASS_MATRIX</source>
        <translation>直通矩阵</translation>
    </message>
    <message>
        <source>SIGNLE_1</source>
        <translation>SIGNLE_1</translation>
    </message>
    <message>
        <source>SIGNLE_2</source>
        <translation>SIGNLE_2</translation>
    </message>
    <message>
        <source>SIGNLE_3</source>
        <translation>SIGNLE_3</translation>
    </message>
    <message>
        <source>SIGNLE_4</source>
        <translation>SIGNLE_4</translation>
    </message>
    <message>
        <source>DUAL_UP1_DOWN2</source>
        <translation>DUAL_UP1_DOWN2</translation>
    </message>
    <message>
        <source>DUAL_UP1_DOWN2 4:3</source>
        <translation>DUAL_UP1_DOWN2 4:3</translation>
    </message>
    <message>
        <source>DUAL_UP3_DOWN4</source>
        <translation>DUAL_UP3_DOWN4</translation>
    </message>
    <message>
        <source>DUAL_UP3_DOWN4 4:3</source>
        <translation>DUAL_UP3_DOWN4 4:3</translation>
    </message>
    <message>
        <source>DUAL_LEFT1_RIGHT2</source>
        <translation>DUAL_LEFT1_RIGHT2</translation>
    </message>
    <message>
        <source>DUAL_LEFT1_RIGHT2 4:3</source>
        <translation>DUAL_LEFT1_RIGHT2 4:3</translation>
    </message>
    <message>
        <source>DUAL_LEFT3_RIGHT4</source>
        <translation>DUAL_LEFT3_RIGHT4</translation>
    </message>
    <message>
        <source>DUAL_LEFT3_RIGHT4 4:3</source>
        <translation>DUAL_LEFT3_RIGHT4 4:3</translation>
    </message>
    <message>
        <source>PIP_12</source>
        <translation>PIP_12</translation>
    </message>
    <message>
        <source>PIP_21</source>
        <translation>PIP_21</translation>
    </message>
    <message>
        <source>PIP_34</source>
        <translation>PIP_34</translation>
    </message>
    <message>
        <source>PIP_43</source>
        <translation>PIP_43</translation>
    </message>
    <message>
        <source>THREE_EQUALIZE</source>
        <translation>THREE_EQUALIZE</translation>
    </message>
    <message>
        <source>FOUR_MAIN1_SUB234</source>
        <translation>FOUR_MAIN1_SUB234</translation>
    </message>
    <message>
        <source>FOUR_MAIN2_SUB134</source>
        <translation>FOUR_MAIN2_SUB134</translation>
    </message>
    <message>
        <source>FOUR_MAIN3_SUB124</source>
        <translation>FOUR_MAIN3_SUB124</translation>
    </message>
    <message>
        <source>FOUR_MAIN4_SUB123</source>
        <translation>FOUR_MAIN4_SUB123</translation>
    </message>
    <message>
        <source>FOUR_H_SUB1234</source>
        <translation>FOUR_H_SUB1234</translation>
    </message>
    <message>
        <source>FOUR_EQUALIZE</source>
        <translation>FOUR_EQUALIZE</translation>
    </message>
    <message>
        <source>1X1</source>
        <translation>1X1</translation>
    </message>
    <message>
        <source>1X2</source>
        <translation>1X2</translation>
    </message>
    <message>
        <source>2X1</source>
        <translation>2X1</translation>
    </message>
    <message>
        <source>1X3</source>
        <translation>1X3</translation>
    </message>
    <message>
        <source>3X1</source>
        <translation>3X1</translation>
    </message>
    <message>
        <source>2X2</source>
        <translation>2X2</translation>
    </message>
    <message>
        <source>1X4</source>
        <translation>1X4</translation>
    </message>
    <message>
        <source>4X1</source>
        <translation>4X1</translation>
    </message>
    <message>
        <source>720P</source>
        <translation>720P</translation>
    </message>
    <message>
        <source>1080P</source>
        <translation>1080P</translation>
    </message>
    <message>
        <source>4K30</source>
        <translation>4K30</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>90</source>
        <translation>90</translation>
    </message>
    <message>
        <source>180</source>
        <translation>180</translation>
    </message>
    <message>
        <source>270</source>
        <translation>270</translation>
    </message>
    <message>
        <source>3840*2160@30Hz</source>
        <translation>3840*2160@30Hz</translation>
    </message>
    <message>
        <source>input1</source>
        <translation>输入1</translation>
    </message>
    <message>
        <source>input2</source>
        <translation>输入2</translation>
    </message>
    <message>
        <source>input3</source>
        <translation>输入3</translation>
    </message>
    <message>
        <source>input4</source>
        <translation>输入4</translation>
    </message>
    <message>
        <source>1 No mirror</source>
        <translation>1 无镜像</translation>
    </message>
    <message>
        <source>1 H mirror</source>
        <translation>1 水平镜像</translation>
    </message>
    <message>
        <source>1 V mirror</source>
        <translation>1 垂直镜像</translation>
    </message>
    <message>
        <source>1 H&amp;V mirror</source>
        <translation>1 水平垂直镜像</translation>
    </message>
    <message>
        <source>2 No mirror</source>
        <translation>2 无镜像</translation>
    </message>
    <message>
        <source>2 H mirror</source>
        <translation>2 水平镜像</translation>
    </message>
    <message>
        <source>2 V mirror</source>
        <translation>2 垂直镜像</translation>
    </message>
    <message>
        <source>2 H&amp;V mirror</source>
        <translation>2 水平垂直镜像</translation>
    </message>
    <message>
        <source>3 No mirror</source>
        <translation>3 无镜像</translation>
    </message>
    <message>
        <source>3 H mirror</source>
        <translation>3 水平镜像</translation>
    </message>
    <message>
        <source>3 V mirror</source>
        <translation>3 垂直镜像</translation>
    </message>
    <message>
        <source>3 H&amp;V mirror</source>
        <translation>3 水平垂直镜像</translation>
    </message>
    <message>
        <source>4 No mirror</source>
        <translation>4 无镜像</translation>
    </message>
    <message>
        <source>4 H mirror</source>
        <translation>4 水平镜像</translation>
    </message>
    <message>
        <source>4 V mirror</source>
        <translation>4 垂直镜像</translation>
    </message>
    <message>
        <source>4 H&amp;V mirror</source>
        <translation>4 水平垂直镜像</translation>
    </message>
</context>
<context>
    <name>ConnectMessage</name>
    <message>
        <source>Connecting to %1 ...</source>
        <translation>正在连接 %1 ...</translation>
    </message>
    <message>
        <source>Choose a baud rate before connecting</source>
        <translation>连接前请选择波特率</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
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
<context>
    <name>EdidSummary</name>
    <message>
        <source>No EDID</source>
        <translation>无 EDID</translation>
    </message>
    <message>
        <source>EDID valid (%1 bytes)</source>
        <translation>EDID 有效（%1 字节）</translation>
    </message>
    <message>
        <source>EDID defective (%1 bytes)</source>
        <translation>EDID 有缺陷（%1 字节）</translation>
    </message>
    <message>
        <source>Odd number of hex digits</source>
        <translation>十六进制位数为奇数</translation>
    </message>
    <message>
        <source>Length is not a multiple of 128 bytes</source>
        <translation>长度不是 128 字节的整数倍</translation>
    </message>
    <message>
        <source>Header: valid</source>
        <translation>头部：有效</translation>
    </message>
    <message>
        <source>Header: invalid</source>
        <translation>头部：无效</translation>
    </message>
    <message>
        <source>Manufacturer: %1, product code %2</source>
        <translation>厂商：%1，产品代码 %2</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <translation>序列号：%1</translation>
    </message>
    <message>
        <source>Made in week %1 of %2</source>
        <translation>生产于 %2 年第 %1 周</translation>
    </message>
    <message>
        <source>Made in %1</source>
        <translation>生产于 %1 年</translation>
    </message>
    <message>
        <source>EDID %1, %2</source>
        <translation>EDID %1，%2</translation>
    </message>
    <message>
        <source>digital</source>
        <translation>数字</translation>
    </message>
    <message>
        <source>analog</source>
        <translation>模拟</translation>
    </message>
    <message>
        <source>Name: %1</source>
        <translation>名称：%1</translation>
    </message>
    <message>
        <source>Serial text: %1</source>
        <translation>序列号文本：%1</translation>
    </message>
    <message>
        <source>Preferred: %1x%2, %3 Hz, %4 MHz</source>
        <translation>首选时序：%1x%2，%3 Hz，%4 MHz</translation>
    </message>
    <message>
        <source>Range: %1-%2 Hz V, %3-%4 kHz H, %5 MHz</source>
        <translation>范围：场频 %1-%2 Hz，行频 %3-%4 kHz，%5 MHz</translation>
    </message>
    <message>
        <source>Extension blocks: %1</source>
        <translation>扩展块：%1</translation>
    </message>
    <message>
        <source>Extension blocks: %1 declared, %2 present</source>
        <translation>扩展块：声明 %1 个，实际 %2 个</translation>
    </message>
    <message>
        <source>Block %1 (%2): checksum valid</source>
        <translation>块 %1（%2）：校验和有效</translation>
    </message>
    <message>
        <source>Block %1 (%2): checksum %3, expected %4</source>
        <translation>块 %1（%2）：校验和 %3，应为 %4</translation>
    </message>
    <message>
        <source>CTA-861 revision %1</source>
        <translation>CTA-861 修订版 %1</translation>
    </message>
    <message>
        <source>Audio: %1, %2 ch, %3 kHz</source>
        <translation>音频：%1，%2 声道，%3 kHz</translation>
    </message>
    <message>
        <source>Speakers: %1</source>
        <translation>扬声器：%1</translation>
    </message>
    <message>
        <source>VICs (* native): %1</source>
        <translation>VIC（* 为原生）：%1</translation>
    </message>
    <message>
        <source>VICs listed more than once: %1</source>
        <translation>重复列出的 VIC：%1</translation>
    </message>
    <message>
        <source>HDMI: address %1 %2</source>
        <translation>HDMI：地址 %1 %2</translation>
    </message>
    <message>
        <source>HDMI Forum: max TMDS %1 MHz</source>
        <translation>HDMI Forum：最大 TMDS %1 MHz</translation>
    </message>
</context>
<context>
    <name>EdidDefectDialog</name>
    <message>
        <source>Defective EDID</source>
        <translation>EDID 有缺陷</translation>
    </message>
    <message>
        <source>The text has an odd number of hex digits.</source>
        <translation>文本的十六进制位数为奇数。</translation>
    </message>
    <message>
        <source>The EDID is empty.</source>
        <translation>EDID 为空。</translation>
    </message>
    <message>
        <source>The length (%1 bytes) is not a multiple of 128.</source>
        <translation>长度（%1 字节）不是 128 的整数倍。</translation>
    </message>
    <message>
        <source>The header is not 00 ff ff ff ff ff ff 00.</source>
        <translation>头部不是 00 ff ff ff ff ff ff 00。</translation>
    </message>
    <message>
        <source>Block %1 has checksum %2, expected %3.</source>
        <translation>块 %1 的校验和为 %2，应为 %3。</translation>
    </message>
    <message>
        <source>Extension blocks declared: %1, present: %2.</source>
        <translation>声明的扩展块：%1 个，实际：%2 个。</translation>
    </message>
    <message>
        <source>VICs listed more than once: %1.</source>
        <translation>重复列出的 VIC：%1。</translation>
    </message>
    <message>
        <source>This EDID has defects. A display may stay dark when it receives it.</source>
        <translation>此 EDID 有缺陷。显示器收到后可能黑屏。</translation>
    </message>
    <message>
        <source>Fix checksums and continue</source>
        <translation>修正校验和并继续</translation>
    </message>
    <message>
        <source>Continue as is</source>
        <translation>按原样继续</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>ConsoleWindow</name>
    <message>
        <source>Console</source>
        <translation>控制台</translation>
    </message>
    <message>
        <source>Traffic console</source>
        <translation>通信控制台</translation>
    </message>
    <message>
        <source>Nothing to send</source>
        <translation>没有可发送的内容</translation>
    </message>
    <message>
        <source>Not connected: nothing was sent</source>
        <translation>未连接：未发送任何内容</translation>
    </message>
    <message>
        <source>Save the traffic log</source>
        <translation>保存通信记录</translation>
    </message>
    <message>
        <source>Log files (*.log *.txt)</source>
        <translation>日志文件 (*.log *.txt)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message numerus="yes">
        <source>Saved %n line(s)</source>
        <translation>
            <numerusform>已保存 %n 行</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not write %1</source>
        <translation>无法写入 %1</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>筛选</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>继续</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Save…</source>
        <translation>保存…</translation>
    </message>
    <message numerus="yes">
        <source>Copied %n line(s)</source>
        <translation>
            <numerusform>已复制 %n 行</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 lines, %2 held</source>
        <translation>%1 行，%2 行暂停中</translation>
    </message>
    <message>
        <source>%1 lines</source>
        <translation>%1 行</translation>
    </message>
    <message>
        <source>[unrecognised]</source>
        <translation>[无法识别]</translation>
    </message>
    <message>
        <source>[discarded partial line]</source>
        <translation>[已丢弃的不完整行]</translation>
    </message>
    <message>
        <source>Raw command, sent with CR LF</source>
        <translation>原始命令，以 CR LF 结尾发送</translation>
    </message>
    <message>
        <source>Connect to send raw commands</source>
        <translation>连接后可发送原始命令</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
</context>
<context>
    <name>RemoteWindow</name>
    <message>
        <source>Remote control</source>
        <translation>远程控制</translation>
    </message>
    <message>
        <source>The port must be a number from 1 to 65535.</source>
        <translation>端口必须是 1 到 65535 之间的数字。</translation>
    </message>
    <message>
        <source>%1 is in use by another program: choose another port.</source>
        <translation>%1 已被其他程序占用：请选择其他端口。</translation>
    </message>
    <message>
        <source>%1 is not an address of this machine.</source>
        <translation>%1 不是本机的地址。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an IP address.</source>
        <translation>“%1”不是 IP 地址。</translation>
    </message>
    <message>
        <source>Cannot listen on %1.</source>
        <translation>无法在 %1 上监听。</translation>
    </message>
    <message>
        <source>Router control clients (control surfaces, show control, home automation) can route, rename and lock this switcher through the panel with the Videohub Ethernet Protocol.</source>
        <translation>路由控制客户端（控制面板、演出控制、家居自动化）可以通过本软件以 Videohub 以太网协议对此切换器进行切换、命名和锁定。</translation>
    </message>
    <message>
        <source>Serve router control clients</source>
        <translation>为路由控制客户端提供服务</translation>
    </message>
    <message>
        <source>Listen address</source>
        <translation>监听地址</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Friendly name</source>
        <translation>设备名称</translation>
    </message>
    <message>
        <source>127.0.0.1 lets in programs on this computer only. To let other computers in, give this computer's address (or 0.0.0.0 for all of them).</source>
        <translation>127.0.0.1 只允许本机上的程序连接。要允许其他计算机连接，请填写本机的地址（或填 0.0.0.0 表示所有地址）。</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Listening on %1:%2</source>
        <translation>正在 %1:%2 上监听</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>已关闭</translation>
    </message>
    <message>
        <source>Clients connected: %1</source>
        <translation>已连接的客户端：%1</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>Since</source>
        <translation>连接时间</translation>
    </message>
    <message>
        <source>Last request</source>
        <translation>最后请求</translation>
    </message>
    <message>
        <source>Router protocol</source>
        <translation>路由协议</translation>
    </message>
    <message>
        <source>MQTT</source>
        <translation>MQTT</translation>
    </message>
</context>
<context>
    <name>LockDialog</name>
    <message>
        <source>Output locked</source>
        <translation>输出已锁定</translation>
    </message>
    <message>
        <source>Output %1 is locked by %2 since %3. Routing to it is refused until it is unlocked.</source>
        <translation>输出 %1 自 %3 起被 %2 锁定。解锁之前，切换到该输出将被拒绝。</translation>
    </message>
    <message>
        <source>Force the lock open? The controller that holds it sees it unlocked.</source>
        <translation>强制解锁？持有该锁的控制端将看到它已被解锁。</translation>
    </message>
    <message>
        <source>Force open</source>
        <translation>强制解锁</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>NoticeBar</name>
    <message>
        <source>Output %1: Input %2 → Input %3</source>
        <translation>输出 %1：输入 %2 → 输入 %3</translation>
    </message>
    <message>
        <source>Changed at the device or by another controller: %1</source>
        <translation>已在设备上或由其他控制端更改：%1</translation>
    </message>
    <message>
        <source>The port is open but no device answers: check the cable, the port and the baud rate</source>
        <translation>端口已打开，但没有设备应答：请检查线缆、端口和波特率</translation>
    </message>
    <message>
        <source>The device stopped answering</source>
        <translation>设备已停止应答</translation>
    </message>
    <message>
        <source>Reconnected</source>
        <translation>已重新连接</translation>
    </message>
    <message>
        <source>Output %1 did not switch to Input %2</source>
        <translation>输出 %1 未切换到输入 %2</translation>
    </message>
    <message>
        <source>Output %1 did not switch</source>
        <translation>输出 %1 未切换</translation>
    </message>
    <message>
        <source>Connection lost, trying again in %1 s</source>
        <translation>连接已断开，%1 秒后重试</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>保留</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
</context>
<context>
    <name>SwitchHistory</name>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>Take</source>
        <translation>执行</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
</context>
<context>
    <name>StagedList</name>
    <message>
        <source>Staged: %1</source>
        <translation>待执行：%1</translation>
    </message>
</context>
<context>
    <name>ConfirmDialog</name>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
</context>
<context>
    <name>RemoteMqttSection</name>
    <message>
        <source>No broker answers at %1: check the address and port, and that the broker is running.</source>
        <translation>%1 没有代理服务器应答：请检查地址和端口，并确认代理服务器正在运行。</translation>
    </message>
    <message>
        <source>%1 cannot be reached: check the host name and the network.</source>
        <translation>无法连接到 %1：请检查主机名和网络。</translation>
    </message>
    <message>
        <source>The broker at %1 did not answer in time.</source>
        <translation>%1 上的代理服务器未及时应答。</translation>
    </message>
    <message>
        <source>The broker refused the user name or password: correct them and apply again.</source>
        <translation>代理服务器拒绝了用户名或密码：请更正后重新应用。</translation>
    </message>
    <message>
        <source>The secure connection failed: check the CA file, and that it signed the broker&apos;s certificate.</source>
        <translation>安全连接失败：请检查 CA 文件，并确认代理服务器的证书由它签发。</translation>
    </message>
    <message>
        <source>The connection to the broker at %1 was lost.</source>
        <translation>与 %1 上代理服务器的连接已断开。</translation>
    </message>
    <message>
        <source>The broker address must look like mqtt://host:1883 or mqtts://user@host:8883.</source>
        <translation>代理服务器地址的格式应为 mqtt://host:1883 或 mqtts://user@host:8883。</translation>
    </message>
    <message>
        <source>The device ID may only have lower-case letters, digits, - and _.</source>
        <translation>设备 ID 只能包含小写字母、数字、- 和 _。</translation>
    </message>
    <message>
        <source>This switcher could not be removed from the broker at %1: it did not answer.</source>
        <translation>无法从 %1 上的代理服务器移除此切换器：它没有应答。</translation>
    </message>
    <message>
        <source>The connection to the broker failed (%1).</source>
        <translation>连接代理服务器失败（%1）。</translation>
    </message>
    <message>
        <source>Connected to %1, publishing under %2/.</source>
        <translation>已连接到 %1，发布在 %2/ 下。</translation>
    </message>
    <message>
        <source>Connecting to %1…</source>
        <translation>正在连接 %1…</translation>
    </message>
    <message>
        <source>Removing this switcher from the broker…</source>
        <translation>正在从代理服务器移除此切换器…</translation>
    </message>
    <message>
        <source>Trying again in %1 s.</source>
        <translation>%1 秒后重试。</translation>
    </message>
    <message>
        <source>Removed from the broker.</source>
        <translation>已从代理服务器移除。</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>已关闭</translation>
    </message>
    <message>
        <source>Building automation (Home Assistant, Node-RED, openHAB) sees and drives this switcher through an MQTT broker such as Mosquitto.</source>
        <translation>楼宇自动化系统（Home Assistant、Node-RED、openHAB）可通过 Mosquitto 等 MQTT 代理服务器查看和控制此切换器。</translation>
    </message>
    <message>
        <source>Publish to an MQTT broker</source>
        <translation>发布到 MQTT 代理服务器</translation>
    </message>
    <message>
        <source>Broker</source>
        <translation>代理服务器</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>(stored)</source>
        <translation>（已保存）</translation>
    </message>
    <message>
        <source>CA file (mqtts)</source>
        <translation>CA 文件（mqtts）</translation>
    </message>
    <message>
        <source>the system&apos;s certificates</source>
        <translation>系统证书</translation>
    </message>
    <message>
        <source>Device name</source>
        <translation>设备名称</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>设备 ID</translation>
    </message>
    <message>
        <source>Announce to Home Assistant</source>
        <translation>向 Home Assistant 通告</translation>
    </message>
    <message>
        <source>Topics start with tessaro/%1/. Remove the switcher from the broker before changing its ID, or Home Assistant keeps the old entities.</source>
        <translation>主题以 tessaro/%1/ 开头。更改 ID 前请先从代理服务器移除此切换器，否则 Home Assistant 会保留旧的实体。</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Remove from broker</source>
        <translation>从代理服务器移除</translation>
    </message>
</context>
<context>
    <name>Config</name>
    <message>
        <source>the device did not report it</source>
        <translation>设备没有报告该项</translation>
    </message>
    <message>
        <source>output locked by a remote controller</source>
        <translation>该输出已被远程控制端锁定</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>已取消。</translation>
    </message>
    <message>
        <source>The link to the device is down.</source>
        <translation>与设备的连接已断开。</translation>
    </message>
    <message>
        <source>The link to the device went down.</source>
        <translation>与设备的连接中断了。</translation>
    </message>
    <message>
        <source>%1: no answer after two tries; %2 more of its kind not asked</source>
        <translation>%1：两次询问均无应答；其余 %2 项同类设置未再询问</translation>
    </message>
    <message>
        <source>%1: no answer after two tries</source>
        <translation>%1：两次询问均无应答</translation>
    </message>
    <message>
        <source>... and more</source>
        <translation>……以及更多</translation>
    </message>
    <message>
        <source>%1: left out, %2</source>
        <translation>%1：已略过，%2</translation>
    </message>
    <message>
        <source>%1: unknown entry, ignored</source>
        <translation>%1：未知条目，已忽略</translation>
    </message>
    <message>
        <source>the file is larger than %1 KiB</source>
        <translation>文件大于 %1 KiB</translation>
    </message>
    <message>
        <source>not JSON (%1 at byte %2); the file may be cut short or not a configuration</source>
        <translation>不是 JSON（第 %2 字节处：%1）；文件可能不完整，或不是配置文件</translation>
    </message>
    <message>
        <source>not a configuration file (no JSON object)</source>
        <translation>不是配置文件（没有 JSON 对象）</translation>
    </message>
    <message>
        <source>not a configuration file (&quot;format&quot; is not &quot;%1&quot;)</source>
        <translation>不是配置文件（"format" 不是 "%1"）</translation>
    </message>
    <message>
        <source>the format version is missing or not a number</source>
        <translation>格式版本缺失或不是数字</translation>
    </message>
    <message>
        <source>the file holds more than %1 entries</source>
        <translation>文件中的条目超过 %1 个</translation>
    </message>
    <message>
        <source>written by a newer version (format %1, this program reads %2): parts it does not know are ignored</source>
        <translation>由较新的版本写入（格式 %1，本程序读取格式 %2）：不认识的部分已忽略</translation>
    </message>
    <message>
        <source>the file names no device model</source>
        <translation>文件没有写明设备型号</translation>
    </message>
    <message>
        <source>the file is for a model this program does not know (%1)</source>
        <translation>文件所属的型号本程序不认识（%1）</translation>
    </message>
    <message>
        <source>the file's input and output counts do not match its model %1</source>
        <translation>文件中的输入输出数量与其型号 %1 不符</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>不是文件</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>无法读取：%1</translation>
    </message>
    <message>
        <source>Names</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Routing</source>
        <translation>切换</translation>
    </message>
    <message>
        <source>Outputs on/off</source>
        <translation>输出开关</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>蜂鸣器</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>信号</translation>
    </message>
    <message>
        <source>EDID</source>
        <translation>EDID</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音频</translation>
    </message>
    <message>
        <source>Boards</source>
        <translation>板卡</translation>
    </message>
    <message>
        <source>Output resolution</source>
        <translation>输出分辨率</translation>
    </message>
    <message>
        <source>Network (applied last; may cut the link)</source>
        <translation>网络（最后设置；可能断开连接）</translation>
    </message>
    <message>
        <source>not a whole number</source>
        <translation>不是整数</translation>
    </message>
    <message>
        <source>%1 is not one of the values this model takes</source>
        <translation>%1 不是该型号可用的值</translation>
    </message>
    <message>
        <source>%1 is outside %2 to %3</source>
        <translation>%1 不在 %2 到 %3 之间</translation>
    </message>
    <message>
        <source>not true or false</source>
        <translation>不是 true 或 false</translation>
    </message>
    <message>
        <source>not an address like 192.168.1.10</source>
        <translation>不是 192.168.1.10 这样的地址</translation>
    </message>
    <message>
        <source>not a netmask like 255.255.255.0</source>
        <translation>不是 255.255.255.0 这样的子网掩码</translation>
    </message>
    <message>
        <source>not a known service type (%1)</source>
        <translation>不是已知的服务类型（%1）</translation>
    </message>
    <message>
        <source>not a port number from 1 to 65535</source>
        <translation>不是 1 到 65535 之间的端口号</translation>
    </message>
    <message>
        <source>not EDID hex</source>
        <translation>不是 EDID 十六进制数据</translation>
    </message>
    <message>
        <source>%1 bytes of EDID; an EDID is 1 to 4 blocks of 128 bytes</source>
        <translation>EDID 为 %1 字节；EDID 应为 1 到 4 个 128 字节的块</translation>
    </message>
    <message>
        <source>not a text</source>
        <translation>不是文本</translation>
    </message>
    <message>
        <source>longer than %1 characters</source>
        <translation>超过 %1 个字符</translation>
    </message>
    <message>
        <source>holds a control character</source>
        <translation>含有控制字符</translation>
    </message>
    <message>
        <source>unknown setting</source>
        <translation>未知设置</translation>
    </message>
    <message>
        <source>Output %1</source>
        <translation>输出 %1</translation>
    </message>
    <message>
        <source>IP address</source>
        <translation>IP 地址</translation>
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
        <source>Service type</source>
        <translation>服务类型</translation>
    </message>
    <message>
        <source>Service number</source>
        <translation>服务端口</translation>
    </message>
    <message>
        <source>Output %1 PE</source>
        <translation>输出 %1 PE</translation>
    </message>
    <message>
        <source>Output %1 TX swing</source>
        <translation>输出 %1 TX 摆幅</translation>
    </message>
    <message>
        <source>Input %1 EQ</source>
        <translation>输入 %1 EQ</translation>
    </message>
    <message>
        <source>USER%1 EDID</source>
        <translation>USER%1 EDID</translation>
    </message>
    <message>
        <source>Input %1 audio</source>
        <translation>输入 %1 音频</translation>
    </message>
    <message>
        <source>Output %1 audio</source>
        <translation>输出 %1 音频</translation>
    </message>
    <message>
        <source>resolution</source>
        <translation>分辨率</translation>
    </message>
    <message>
        <source>audio</source>
        <translation>音频</translation>
    </message>
    <message>
        <source>brightness</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>contrast</source>
        <translation>对比度</translation>
    </message>
    <message>
        <source>sharpness</source>
        <translation>锐度</translation>
    </message>
    <message>
        <source>color red</source>
        <translation>红色</translation>
    </message>
    <message>
        <source>color green</source>
        <translation>绿色</translation>
    </message>
    <message>
        <source>color blue</source>
        <translation>蓝色</translation>
    </message>
    <message>
        <source>Input board %1: %2</source>
        <translation>输入板卡 %1：%2</translation>
    </message>
    <message>
        <source>Output board %1: %2</source>
        <translation>输出板卡 %1：%2</translation>
    </message>
    <message>
        <source>Output %1 resolution</source>
        <translation>输出 %1 分辨率</translation>
    </message>
    <message>
        <source>Input %1 name</source>
        <translation>输入 %1 名称</translation>
    </message>
    <message>
        <source>Output %1 name</source>
        <translation>输出 %1 名称</translation>
    </message>
    <message>
        <source>Scene %1 name</source>
        <translation>场景 %1 名称</translation>
    </message>
    <message>
        <source>(not read)</source>
        <translation>（未读取）</translation>
    </message>
    <message>
        <source>Input %1</source>
        <translation>输入 %1</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>%1 bytes, &quot;%2&quot;, %3</source>
        <translation>%1 字节，"%2"，%3</translation>
    </message>
    <message>
        <source>%1 bytes, %2</source>
        <translation>%1 字节，%2</translation>
    </message>
    <message>
        <source>External audio</source>
        <translation>外部音频</translation>
    </message>
    <message>
        <source>HDMI</source>
        <translation>HDMI</translation>
    </message>
    <message>
        <source>Analog</source>
        <translation>模拟</translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation>（无名称）</translation>
    </message>
    <message>
        <source>Matches the file</source>
        <translation>与文件一致</translation>
    </message>
    <message>
        <source>Still differs: %1</source>
        <translation>仍不一致：%1</translation>
    </message>
    <message>
        <source>Sent, not read back</source>
        <translation>已发送，未能读回</translation>
    </message>
    <message>
        <source>Sent, not read back: %1</source>
        <translation>已发送，未能读回：%1</translation>
    </message>
    <message>
        <source>Not sent (unchecked)</source>
        <translation>未发送（未勾选）</translation>
    </message>
    <message>
        <source>Not sent</source>
        <translation>未发送</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>未发送：%1</translation>
    </message>
    <message>
        <source>No device is connected.</source>
        <translation>没有连接设备。</translation>
    </message>
    <message>
        <source>%1 cannot be restored: %2.</source>
        <translation>无法恢复 %1：%2。</translation>
    </message>
    <message>
        <source>The file is for a %1, the device is a %2. Both have %3 inputs and %4 outputs, but not every setting may mean the same. Restore it all the same?</source>
        <translation>该文件属于 %1，设备是 %2。两者都有 %3 个输入和 %4 个输出，但并非每项设置的含义都相同。仍要恢复吗？</translation>
    </message>
    <message>
        <source>The file is for a %1 with %2 inputs and %3 outputs; the device is a %4 with %5 and %6. It cannot be restored to this device.</source>
        <translation>该文件属于 %1（%2 个输入，%3 个输出）；设备是 %4（%5 个输入，%6 个输出）。无法恢复到此设备。</translation>
    </message>
    <message>
        <source>%1 of %2 checked settings now match the file.</source>
        <translation>已勾选的 %2 项设置中，现有 %1 项与文件一致。</translation>
    </message>
    <message>
        <source>Nothing was changed.</source>
        <translation>设备没有任何更改。</translation>
    </message>
    <message>
        <source>Nothing was saved.</source>
        <translation>没有保存任何内容。</translation>
    </message>
    <message>
        <source>Cannot write %1: %2. Nothing was saved; choose another folder or free some space.</source>
        <translation>无法写入 %1：%2。没有保存任何内容；请选择其他文件夹或释放磁盘空间。</translation>
    </message>
    <message>
        <source>Saved %1 settings of the %2 to %3.</source>
        <translation>已将 %2 的 %1 项设置保存到 %3。</translation>
    </message>
    <message>
        <source>Settings the device did not report are not in the file.</source>
        <translation>设备没有报告的设置不在文件中。</translation>
    </message>
    <message>
        <source>The device already matches the file: nothing to restore.</source>
        <translation>设备已与文件一致：无需恢复。</translation>
    </message>
    <message>
        <source>Input board %1</source>
        <translation>输入板卡 %1</translation>
    </message>
    <message>
        <source>Output board %1</source>
        <translation>输出板卡 %1</translation>
    </message>
    <message>
        <source>Input names</source>
        <translation>输入名称</translation>
    </message>
    <message>
        <source>Output names</source>
        <translation>输出名称</translation>
    </message>
    <message>
        <source>Scene names</source>
        <translation>场景名称</translation>
    </message>
    <message>
        <source>Routing to input %1</source>
        <translation>切换到输入 %1</translation>
    </message>
    <message>
        <source>The file holds no setting this device has: nothing to restore.</source>
        <translation>文件中没有此设备具有的设置：无需恢复。</translation>
    </message>
    <message>
        <source>The device is not the one that was read. Nothing was sent; start the restore again.</source>
        <translation>当前设备不是之前读取的那台。没有发送任何内容；请重新开始恢复。</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1%2</translation>
    </message>
</context>
<context>
    <name>ConfigDialog</name>
    <message>
        <source>Configuration (*.json)</source>
        <translation>配置文件 (*.json)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>Back up the device configuration to</source>
        <translation>将设备配置备份到</translation>
    </message>
    <message>
        <source>Restore the device configuration from</source>
        <translation>从以下文件恢复设备配置</translation>
    </message>
    <message>
        <source>Restore the device configuration</source>
        <translation>恢复设备配置</translation>
    </message>
    <message>
        <source>Back up the device configuration</source>
        <translation>备份设备配置</translation>
    </message>
    <message>
        <source>Sending the checked settings, then reading them back ...</source>
        <translation>正在发送已勾选的设置，然后读回 ...</translation>
    </message>
    <message>
        <source>Reading the device ...</source>
        <translation>正在读取设备 ...</translation>
    </message>
    <message>
        <source>Only the settings where the device differs from the file are listed. Apply sends the checked ones; the network settings go last and may cut the link.</source>
        <translation>只列出设备与文件不一致的设置。“应用”发送已勾选的项；网络设置最后发送，可能会断开连接。</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置项</translation>
    </message>
    <message>
        <source>On the device before</source>
        <translation>恢复前设备上的值</translation>
    </message>
    <message>
        <source>On the device now</source>
        <translation>设备上当前的值</translation>
    </message>
    <message>
        <source>In the file</source>
        <translation>文件中的值</translation>
    </message>
    <message>
        <source>Read back</source>
        <translation>读回结果</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Restore all the same</source>
        <translation>仍然恢复</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
</TS>
