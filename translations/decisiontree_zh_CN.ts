<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>Controls</name>
    <message>
        <source>Experimental Parameters</source>
        <translation>实验参数</translation>
    </message>
    <message>
        <source>Parameter Set</source>
        <translation>参数组</translation>
    </message>
    <message>
        <source>Subject Number</source>
        <translation>被试编号</translation>
    </message>
    <message>
        <source>Number of Attempts</source>
        <translation>尝试次数</translation>
    </message>
    <message>
        <source>Input Data File</source>
        <translation>输入数据文件</translation>
    </message>
    <message>
        <source>Enter the information requested and then Click here</source>
        <translation>填写所需信息后点击此处</translation>
    </message>
    <message>
        <source>Welcome to this experiment</source>
        <translation>欢迎参加本实验</translation>
    </message>
    <message>
        <source>This will contain a description of the experiment.</source>
        <translation>这里将显示实验说明。</translation>
    </message>
    <message>
        <source>Click here when you are ready to start</source>
        <translation>准备好后点击此处开始</translation>
    </message>
    <message>
        <source>Attention!</source>
        <translation>注意！</translation>
    </message>
    <message>
        <source>This is the Notepad for this node. You can edit and save the Notepad here.</source>
        <translation>这是此节点的记事本。您可以在此编辑并保存。</translation>
    </message>
    <message>
        <source>If you want to close and save the Notepad click here</source>
        <translation>点击此处保存并关闭记事本</translation>
    </message>
    <message>
        <source>Are you ready to decide?</source>
        <translation>准备好决定了吗？</translation>
    </message>
    <message>
        <source>Move Left</source>
        <translation>向左</translation>
    </message>
    <message>
        <source>Move Right</source>
        <translation>向右</translation>
    </message>
    <message>
        <source>Click here to confirm your decision.</source>
        <translation>点击此处确认您的决定。</translation>
    </message>
    <message>
        <source>It is Nature&apos;s Move</source>
        <translation>轮到自然</translation>
    </message>
    <message>
        <source>Click here when you are ready for Nature to Move.</source>
        <translation>准备好后点击此处，由自然行动。</translation>
    </message>
    <message>
        <source>Click here to continue</source>
        <translation>点击此处继续</translation>
    </message>
    <message>
        <source>The experiment is over, please call the experimenter.</source>
        <translation>实验结束，请呼叫实验员。</translation>
    </message>
</context>
<context>
    <name>ExperimenterWarning</name>
    <message>
        <source>Please call the experimenter. You can go on with the experiment.</source>
        <translation>请呼叫实验员。您可以继续实验。</translation>
    </message>
</context>
<context>
    <name>FlowTexts</name>
    <message>
        <source>Welcome to this experiment. Please read the instructions carefully and wait for the start of the experiment.</source>
        <translation>欢迎参加本实验。请仔细阅读说明，并等待实验开始。</translation>
    </message>
    <message>
        <source>This is a decision tree. The green nodes are DECISION nodes - where you decide whether to go left or right. The red nodes are CHANCE nodes - where Nature decides whether to go left or right. Nature chooses at random - with left and right being equally likely and independent of your decisions. The yellow nodes are payoff nodes. Eventually you (with Nature) have to work through the tree - getting to some final payoff node. You work UP through the tree, starting at the bottom green node. Full instuctions are in the written Instructions that you have been given.</source>
        <extracomment>The written Instructions are the lab&apos;s own: a lab&apos;s translation may say more of them.</extracomment>
        <translation>这是一棵决策树。绿色节点是决策节点：由您决定向左还是向右。红色节点是机会节点：由自然决定向左还是向右。自然随机选择，左右概率相等，且与您的决定无关。黄色节点是收益节点。您（与自然一起）从最下方的绿色节点开始，向上走过整棵树，直到某个最终收益节点。完整说明见您收到的书面说明。</translation>
    </message>
    <message>
        <source>You will have one attempt. Click here to start.</source>
        <translation>您有一次尝试。点击此处开始。</translation>
    </message>
    <message>
        <source>You will have %1 attempts. Click here to start.</source>
        <translation>您有 %1 次尝试。点击此处开始。</translation>
    </message>
    <message>
        <source>This is your only attempt. You will be paid the payoff of this attempt.</source>
        <translation>这是您唯一的一次尝试。您将获得这次尝试的收益。</translation>
    </message>
    <message>
        <source>This is attempt number %1 out of a total of %2 attempts.</source>
        <translation>这是第 %1 次尝试，共 %2 次。</translation>
    </message>
    <message>
        <source>You have %1 attempts left.  Click here to continue.</source>
        <translation>您还有 %1 次尝试。点击此处继续。</translation>
    </message>
    <message>
        <source>Your next attempt is your last attempt.  Click here to continue.</source>
        <translation>下一次是您最后一次尝试。点击此处继续。</translation>
    </message>
    <message>
        <source>Your payoff is %1.</source>
        <extracomment>%1 is the payoff as the payoff texts show it.</extracomment>
        <translation>您的收益是 %1。</translation>
    </message>
    <message>
        <source>, </source>
        <extracomment>Between two payoffs of the list, before the last two.</extracomment>
        <translation>、</translation>
    </message>
    <message>
        <source> and </source>
        <extracomment>Between the last two payoffs of the list, blanks included.</extracomment>
        <translation>和</translation>
    </message>
    <message>
        <source>Your payoff is a randomly chosen one of %1.</source>
        <extracomment>%1 is the list of the attempts&apos; payoffs.</extracomment>
        <translation>您的收益将从 %1 中随机选出一个。</translation>
    </message>
</context>
<context>
    <name>PayoffFile</name>
    <message>
        <source>-£%1</source>
        <comment>loss</comment>
        <extracomment>%1 is the amount lost, in digits.</extracomment>
        <translation>-¥%1</translation>
    </message>
    <message>
        <source>£%1</source>
        <comment>zero</comment>
        <extracomment>%1 is 0.</extracomment>
        <translation>¥%1</translation>
    </message>
    <message>
        <source>£%1</source>
        <comment>gain</comment>
        <extracomment>%1 is the amount won, in digits.</extracomment>
        <translation>¥%1</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>TreeTexts</name>
    <message>
        <source>This is node number %1 at the first chance level.</source>
        <translation>这是第一机会层的第 %1 个节点。</translation>
    </message>
    <message>
        <source>This is node number %1 at the second decision level.</source>
        <translation>这是第二决策层的第 %1 个节点。</translation>
    </message>
    <message>
        <source>This is node number %1 at the second chance level.</source>
        <translation>这是第二机会层的第 %1 个节点。</translation>
    </message>
    <message>
        <source>This is node number %1 at the third decision level.</source>
        <translation>这是第三决策层的第 %1 个节点。</translation>
    </message>
    <message>
        <source>This is node number %1 at the third chance level.</source>
        <translation>这是第三机会层的第 %1 个节点。</translation>
    </message>
    <message>
        <source>This is node number %1 at the payoff level.</source>
        <translation>这是收益层的第 %1 个节点。</translation>
    </message>
    <message>
        <source>Chance node %1 at the first chance level</source>
        <translation>第一机会层的机会节点 %1</translation>
    </message>
    <message>
        <source>Decision node %1 at the second decision level</source>
        <translation>第二决策层的决策节点 %1</translation>
    </message>
    <message>
        <source>Chance node %1 at the second chance level</source>
        <translation>第二机会层的机会节点 %1</translation>
    </message>
    <message>
        <source>Decision node %1 at the third decision level</source>
        <translation>第三决策层的决策节点 %1</translation>
    </message>
    <message>
        <source>Chance node %1 at the third chance level</source>
        <translation>第三机会层的机会节点 %1</translation>
    </message>
    <message>
        <source>Payoff node %1 of 64</source>
        <translation>收益节点 %1（共 64 个）</translation>
    </message>
    <message>
        <source>This is a decision node. Click to open the Notepad.</source>
        <translation>这是决策节点。点击打开记事本。</translation>
    </message>
    <message>
        <source>This is a chance node. Click to open the Notepad.</source>
        <translation>这是机会节点。点击打开记事本。</translation>
    </message>
    <message>
        <source>The currently white node is a DECISION node.</source>
        <translation>当前白色节点是决策节点。</translation>
    </message>
    <message>
        <source>The currently white node is a CHANCE node.</source>
        <translation>当前白色节点是机会节点。</translation>
    </message>
    <message>
        <source>This is a payoff node. Click to see the payoff.</source>
        <translation>这是收益节点。点击查看收益。</translation>
    </message>
    <message>
        <source>This is the only node at the first decision level.</source>
        <translation>这是第一决策层唯一的节点。</translation>
    </message>
    <message>
        <source>Decision node, the only node at the first decision level</source>
        <translation>决策节点，第一决策层唯一的节点</translation>
    </message>
    <message>
        <source>You have just moved left.</source>
        <translation>您刚刚向左走了。</translation>
    </message>
    <message>
        <source>You have just moved right.</source>
        <translation>您刚刚向右走了。</translation>
    </message>
    <message>
        <source>Nature has chosen Left. Click OK to continue...</source>
        <translation>自然选择了左。点击“确定”继续……</translation>
    </message>
    <message>
        <source>Nature has chosen Right. Click OK to continue...</source>
        <translation>自然选择了右。点击“确定”继续……</translation>
    </message>
    <message>
        <source>Nature has chosen Left. Click to find the realised payoff.</source>
        <translation>自然选择了左。点击查看实现的收益。</translation>
    </message>
    <message>
        <source>Nature has chosen Right. Click to find the realised payoff.</source>
        <translation>自然选择了右。点击查看实现的收益。</translation>
    </message>
    <message>
        <source>Nature &apos;s Move</source>
        <extracomment>The title of the box after Nature&apos;s move at the first and second chance levels.</extracomment>
        <translation>自然的行动</translation>
    </message>
    <message>
        <source>Nature&apos;s move</source>
        <translation>自然的行动</translation>
    </message>
    <message>
        <source>Nature has chosen Left.</source>
        <translation>自然选择了左。</translation>
    </message>
    <message>
        <source>Nature has chosen Right.</source>
        <translation>自然选择了右。</translation>
    </message>
    <message>
        <source>The realised Payoff is %1.</source>
        <extracomment>%1 is the payoff as the payoff texts show it.</extracomment>
        <translation>实现的收益是 %1。</translation>
    </message>
    <message>
        <source>The realised payoff is %1</source>
        <extracomment>%1 is the payoff as the payoff texts show it; no full stop follows.</extracomment>
        <translation>实现的收益是 %1</translation>
    </message>
    <message>
        <source>Payoff</source>
        <translation>收益</translation>
    </message>
    <message>
        <source>The PAYOFF at the currently white node is %1.</source>
        <extracomment>%1 is the payoff as the payoff texts show it.</extracomment>
        <translation>当前白色节点的收益是 %1。</translation>
    </message>
    <message>
        <source>Click on any payoff (yellow) node to find the payoff at that node.</source>
        <translation>点击任一收益（黄色）节点，查看该节点的收益。</translation>
    </message>
</context>
<context>
    <name>TreeWindow</name>
    <message>
        <source>Decision Tree</source>
        <translation>决策树</translation>
    </message>
</context>
</TS>
